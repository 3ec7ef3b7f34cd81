#include "grid/TColumnTitleEh.h"

#include "grid/TColumnEh.h"
#include "grid/TDBGridEh.h"

QString TColumnTitleEh::Caption() const {
    return column_.assigned_.Contains(cvTitleCaption) ? caption_ : DefaultCaption();
}

void TColumnTitleEh::SetCaption(const QString& caption) {
    column_.Assign(cvTitleCaption, caption_, caption);
}

QString TColumnTitleEh::DefaultCaption() const {
    const TField* field = column_.Field();
    return field != nullptr ? field->DisplayName() : column_.FieldName();
}

TAlignment TColumnTitleEh::Alignment() const {
    if (column_.assigned_.Contains(cvTitleAlignment))
        return alignment_;
    const TDBGridEh* grid = column_.Grid();
    return grid != nullptr && grid->UseMultiTitle() ? taCenter : taLeftJustify;
}

void TColumnTitleEh::SetAlignment(TAlignment alignment) {
    column_.Assign(cvTitleAlignment, alignment_, alignment);
}

TColor TColumnTitleEh::Color() const {
    if (column_.assigned_.Contains(cvTitleColor))
        return color_;
    const TDBGridEh* grid = column_.Grid();
    return grid != nullptr ? grid->FixedColor() : clBtnFace;
}

void TColumnTitleEh::SetColor(TColor color) {
    column_.Assign(cvTitleColor, color_, color);
}

TGridFont TColumnTitleEh::Font() const {
    if (column_.assigned_.Contains(cvTitleFont))
        return font_;
    const TDBGridEh* grid = column_.Grid();
    return grid != nullptr ? grid->TitleFont() : font_;
}

void TColumnTitleEh::SetFont(const TGridFont& font) {
    column_.Assign(cvTitleFont, font_, font);
}

void TColumnTitleEh::SetEndEllipsis(bool endEllipsis) {
    if (endEllipsis == endEllipsis_)
        return;
    endEllipsis_ = endEllipsis;
    column_.Changed(TColumnEh::Change::Paint);
}

void TColumnTitleEh::RestoreDefaults() {
    column_.assigned_.Exclude(cvTitleCaption)
        .Exclude(cvTitleAlignment)
        .Exclude(cvTitleColor)
        .Exclude(cvTitleFont);
    column_.Changed(TColumnEh::Change::Layout);
}
