#include "grid/TColumnEh.h"

#include "data/FormatFloat.h"
#include "data/TADOQuery.h"
#include "grid/TDBGridColumnsEh.h"
#include "grid/TDBGridEh.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

bool IsNumeric(TFieldType type) {
    switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftAutoInc:
    case ftLargeint:
    case ftFMTBcd:
        return true;
    default:
        return false;
    }
}

bool IsText(TFieldType type) {
    return type == ftString || type == ftMemo || type == ftWideString || type == ftWideMemo ||
           type == ftFixedChar || type == ftFixedWideChar;
}

bool IsMemo(TFieldType type) {
    return type == ftMemo || type == ftWideMemo;
}

// How many characters a field's text is planned for: the size of a text field, else 10.
int DisplayWidth(const TField& field) {
    if (IsText(field.DataType()) && field.Size() > 0)
        return field.Size();
    return 10;
}

} // namespace

TColumnEh::TColumnEh(TDBGridColumnsEh* collection, bool stored)
    : collection_(collection), stored_(stored) {
}

TDBGridEh* TColumnEh::Grid() const {
    return collection_ != nullptr ? collection_->Grid() : nullptr;
}

int TColumnEh::Index() const {
    return collection_ != nullptr ? collection_->IndexOf(*this) : -1;
}

void TColumnEh::RestoreDefaults() {
    assigned_ = {};
    Changed(Change::Layout);
}

TADOQuery* TColumnEh::GridDataSet() const {
    const TDBGridEh* grid = Grid();
    return grid != nullptr ? grid->DataSet() : nullptr;
}

void TColumnEh::SetFieldName(const QString& fieldName) {
    if (fieldName == fieldName_)
        return;
    fieldName_ = fieldName;
    DropField();
    Changed(Change::Layout);
}

TField* TColumnEh::Field() const {
    const TADOQuery* dataSet = GridDataSet();
    if (field_ != nullptr && fieldDataSet_ == dataSet)
        return field_;
    DropField();
    if (fieldName_.isEmpty() || dataSet == nullptr ||
        (!dataSet->Active() && dataSet->FieldCount() == 0))
        return nullptr;
    field_ = dataSet->FindField(fieldName_);
    if (field_ != nullptr) {
        fieldDataSet_ = dataSet;
        // The column takes the field's exact name; nothing else changes, so no notification.
        fieldName_ = field_->FieldName();
    }
    return field_;
}

void TColumnEh::DropField() const {
    field_ = nullptr;
    fieldDataSet_ = nullptr;
}

int TColumnEh::Width() const {
    return assigned_.Contains(cvWidth) ? width_ : DefaultWidth();
}

void TColumnEh::SetWidth(int width) {
    if (width == -1)
        return;
    if (!assigned_.Contains(cvWidth) && width == DefaultWidth())
        return;
    if (maxWidth_ > 0 && width > maxWidth_)
        width = maxWidth_;
    if (width < minWidth_)
        width = minWidth_;
    Assign(cvWidth, width_, width);
}

int TColumnEh::DefaultWidth() const {
    const TField* field = Field();
    if (field == nullptr)
        return DefaultColumnWidth;
    // TrueType fonts have no overhang, so the width is the digit width times the characters.
    const int digit = QFontMetrics(Font().Font).horizontalAdvance(QLatin1Char('0'));
    return digit * DisplayWidth(*field) + 4;
}

void TColumnEh::SetMinWidth(int minWidth) {
    if (minWidth == minWidth_)
        return;
    minWidth_ = std::max(minWidth, 0);
    if (assigned_.Contains(cvWidth) && width_ < minWidth_)
        SetWidth(minWidth_);
}

void TColumnEh::SetMaxWidth(int maxWidth) {
    if (maxWidth == maxWidth_)
        return;
    maxWidth_ = std::max(maxWidth, 0);
    if (assigned_.Contains(cvWidth) && maxWidth_ > 0 && width_ > maxWidth_)
        SetWidth(maxWidth_);
}

TAlignment TColumnEh::Alignment() const {
    if (assigned_.Contains(cvAlignment))
        return alignment_;
    const TField* field = Field();
    return field != nullptr ? field->Alignment() : taLeftJustify;
}

void TColumnEh::SetAlignment(TAlignment alignment) {
    Assign(cvAlignment, alignment_, alignment);
}

TColor TColumnEh::Color() const {
    if (assigned_.Contains(cvColor))
        return color_;
    const TDBGridEh* grid = Grid();
    return grid != nullptr ? grid->Color() : clWindow;
}

void TColumnEh::SetColor(TColor color) {
    Assign(cvColor, color_, color);
}

TGridFont TColumnEh::Font() const {
    if (assigned_.Contains(cvFont))
        return font_;
    const TDBGridEh* grid = Grid();
    return grid != nullptr ? grid->Font() : font_;
}

void TColumnEh::SetFont(const TGridFont& font) {
    Assign(cvFont, font_, font);
}

bool TColumnEh::ReadOnly() const {
    if (assigned_.Contains(cvReadOnly))
        return readOnly_;
    const TDBGridEh* grid = Grid();
    const TField* field = Field();
    return (grid != nullptr && grid->ReadOnly()) || (field != nullptr && field->ReadOnly());
}

void TColumnEh::SetReadOnly(bool readOnly) {
    Assign(cvReadOnly, readOnly_, readOnly);
}

bool TColumnEh::WordWrap() const {
    if (assigned_.Contains(cvWordWrap))
        return wordWrap_;
    const TField* field = Field();
    return field != nullptr && IsText(field->DataType()) && field->DataType() != ftFixedChar &&
           field->DataType() != ftFixedWideChar;
}

void TColumnEh::SetWordWrap(bool wordWrap) {
    Assign(cvWordWrap, wordWrap_, wordWrap);
}

bool TColumnEh::EndEllipsis() const {
    if (assigned_.Contains(cvEndEllipsis))
        return endEllipsis_;
    const TDBGridEh* grid = Grid();
    return grid != nullptr && grid->ColumnDefValues().EndEllipsis;
}

void TColumnEh::SetEndEllipsis(bool endEllipsis) {
    Assign(cvEndEllipsis, endEllipsis_, endEllipsis);
}

bool TColumnEh::Checkboxes() const {
    if (assigned_.Contains(cvCheckboxes))
        return checkboxes_;
    const TField* field = Field();
    return field != nullptr && field->DataType() == ftBoolean;
}

void TColumnEh::SetCheckboxes(bool checkboxes) {
    Assign(cvCheckboxes, checkboxes_, checkboxes);
}

TTextLayout TColumnEh::Layout() const {
    if (assigned_.Contains(cvLayout))
        return layout_;
    const TDBGridEh* grid = Grid();
    return grid != nullptr ? grid->ColumnDefValues().Layout : tlTop;
}

void TColumnEh::SetLayout(TTextLayout layout) {
    Assign(cvLayout, layout_, layout);
}

void TColumnEh::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed(Change::Layout);
}

void TColumnEh::SetHideDuplicates(bool hideDuplicates) {
    if (hideDuplicates == hideDuplicates_)
        return;
    hideDuplicates_ = hideDuplicates;
    Changed(Change::Paint);
}

void TColumnEh::SetDisplayFormat(const QString& displayFormat) {
    if (displayFormat == displayFormat_)
        return;
    displayFormat_ = displayFormat;
    Changed(Change::Paint);
}

void TColumnEh::SetKeyList(const QStringList& keyList) {
    keyList_ = keyList;
    Changed(Change::Paint);
}

void TColumnEh::SetPickList(const QStringList& pickList) {
    pickList_ = pickList;
    Changed(Change::Paint);
}

void TColumnEh::SetNotInKeyListIndex(int index) {
    if (index == notInKeyListIndex_)
        return;
    notInKeyListIndex_ = index;
    Changed(Change::Paint);
}

QString TColumnEh::KeyListText(const TField& field) const {
    const qsizetype key = keyList_.indexOf(field.AsString());
    if (key >= 0 && key < pickList_.size())
        return pickList_.at(key);
    if (notInKeyListIndex_ >= 0 && notInKeyListIndex_ < pickList_.size())
        return pickList_.at(notInKeyListIndex_);
    return {};
}

QString TColumnEh::CellDisplayText() const {
    const TField* field = Field();
    if (field == nullptr)
        return {};
    if (!keyList_.isEmpty())
        return KeyListText(*field);
    const TDBGridEh* grid = Grid();
    if (grid != nullptr && grid->DrawMemoText() && IsMemo(field->DataType()))
        return field->AsString();
    if (displayFormat_.isEmpty())
        return field->DisplayText();
    if (field->IsNull())
        return {};
    if (IsNumeric(field->DataType()))
        return FormatFloat(displayFormat_, field->AsFloat());
    // Date and time fields would be formatted as dates; the data sets here have none.
    return {};
}

void TColumnEh::Changed(Change change) {
    if (collection_ != nullptr)
        collection_->ColumnChanged(change == Change::Layout);
}
