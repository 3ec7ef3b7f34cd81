#pragma once

#include "data/TField.h"
#include "grid/EnumSet.h"
#include "grid/TColumnTitleEh.h"
#include "grid/TGridFont.h"
#include "grid/TextLayout.h"
#include "platform/ui/Colors.h"

#include <QString>
#include <QStringList>

class TADOQuery;
class TDBGridColumnsEh;
class TDBGridEh;

// The column properties that answer a default until a value is assigned to them.
enum TColumnEhValue {
    cvColor,
    cvWidth,
    cvFont,
    cvAlignment,
    cvReadOnly,
    cvTitleColor,
    cvTitleCaption,
    cvTitleAlignment,
    cvTitleFont,
    cvWordWrap,
    cvEndEllipsis,
    cvCheckboxes,
    cvLayout,
};
using TColumnEhValues = EnumSet<TColumnEhValue>;

// One data column of the grid: which field it shows, how wide, in which colours and font, and
// how its cell text is made. A property in AssignedValues answers its assigned value; any
// other answers a default worked out when read, so defaults follow later changes of the grid
// or the field. Every change notifies the grid.
class TColumnEh {
public:
    // The grid's default width of a column without a field.
    static constexpr int DefaultColumnWidth = 64;

    // A column of the collection; stored columns are the ones the window layout defines.
    TColumnEh(TDBGridColumnsEh* collection, bool stored);
    TColumnEh(const TColumnEh&) = delete;
    TColumnEh& operator=(const TColumnEh&) = delete;

    TDBGridColumnsEh* Collection() const { return collection_; }
    // The grid the collection belongs to, or nullptr.
    TDBGridEh* Grid() const;
    // The position in the collection (data column index), or -1.
    int Index() const;
    bool Stored() const { return stored_; }
    TColumnEhValues AssignedValues() const { return assigned_; }
    // Drops every assigned value, the title's included.
    void RestoreDefaults();

    // --- Binding -----------------------------------------------------------------------------
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& fieldName);
    // The field the column shows, looked up on first use by FieldName without regard to case
    // (which then takes the field's exact name); nullptr when there is none.
    TField* Field() const;
    // Forgets the field, keeping FieldName, so the next use looks it up again.
    void DropField() const;

    // --- Appearance ----------------------------------------------------------------------------
    TColumnTitleEh& Title() { return title_; }
    const TColumnTitleEh& Title() const { return title_; }

    // Default: measured from the field's display width in the column's font; 64 without a field.
    int Width() const;
    // -1 is ignored; the current default while unassigned leaves the width unassigned; other
    // values are kept within MinWidth and MaxWidth (0 meaning no limit).
    void SetWidth(int width);
    int DefaultWidth() const;
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int minWidth);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int maxWidth);

    // Default: the field's alignment; left-justified without a field.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment);
    // Default: the grid's Color; clWindow outside a grid.
    TColor Color() const;
    void SetColor(TColor color);
    // Default: the grid's Font.
    TGridFont Font() const;
    void SetFont(const TGridFont& font);
    // Default: the grid's or the field's read-only flag.
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // Default: true for text fields. Wrapping applies only to rows that hold several lines.
    bool WordWrap() const;
    void SetWordWrap(bool wordWrap);
    // Default: the grid's column defaults (false).
    bool EndEllipsis() const;
    void SetEndEllipsis(bool endEllipsis);
    // Default: true only for a Boolean field.
    bool Checkboxes() const;
    void SetCheckboxes(bool checkboxes);
    // Default: the grid's column defaults (top).
    TTextLayout Layout() const;
    void SetLayout(TTextLayout layout);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool HideDuplicates() const { return hideDuplicates_; }
    void SetHideDuplicates(bool hideDuplicates);

    // --- Cell text ---------------------------------------------------------------------------
    // The number mask for numeric fields; empty: the field's own display text.
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& displayFormat);
    // With a KeyList, the cell shows the PickList entry at the key's position.
    const QStringList& KeyList() const { return keyList_; }
    void SetKeyList(const QStringList& keyList);
    const QStringList& PickList() const { return pickList_; }
    void SetPickList(const QStringList& pickList);
    // The PickList entry shown for a key that is not in KeyList; -1: an empty cell.
    int NotInKeyListIndex() const { return notInKeyListIndex_; }
    void SetNotInKeyListIndex(int index);

    // The column's text for the data set's current record.
    QString CellDisplayText() const;

private:
    friend class TColumnTitleEh;
    friend class TDBGridColumnsEh;

    enum class Change { Paint, Layout };

    TADOQuery* GridDataSet() const;
    QString KeyListText(const TField& field) const;
    void Changed(Change change);
    // Stores value into member and marks flag assigned, unless it is already assigned with it.
    template <typename T> void Assign(TColumnEhValue flag, T& member, const T& value);

    TDBGridColumnsEh* collection_;
    bool stored_;
    TColumnEhValues assigned_;
    TColumnTitleEh title_{*this};

    mutable QString fieldName_; // takes the bound field's exact name on lookup
    mutable TField* field_ = nullptr;
    // The data set field_ was found in: a changed or vanished data set drops the reference
    // without touching the field.
    mutable const TADOQuery* fieldDataSet_ = nullptr;

    int width_ = DefaultColumnWidth;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clWindow;
    TGridFont font_;
    bool readOnly_ = false;
    bool wordWrap_ = false;
    bool endEllipsis_ = false;
    bool checkboxes_ = false;
    TTextLayout layout_ = tlTop;
    bool visible_ = true;
    bool hideDuplicates_ = false;
    QString displayFormat_;
    QStringList keyList_;
    QStringList pickList_;
    int notInKeyListIndex_ = -1;
};

template <typename T> void TColumnEh::Assign(TColumnEhValue flag, T& member, const T& value) {
    if (assigned_.Contains(flag) && member == value)
        return;
    member = value;
    assigned_.Include(flag);
    Changed(flag == cvWidth || flag == cvTitleFont || flag == cvFont ? Change::Layout
                                                                     : Change::Paint);
}
