#pragma once

#include "data/TField.h"
#include "grid/TGridFont.h"
#include "platform/ui/Colors.h"

#include <QString>

class TColumnEh;

// The title of a grid column. Caption, alignment, colour and font answer an assigned value when
// one was set and otherwise a default worked out when read, from the bound field, the grid's
// column defaults or the grid.
class TColumnTitleEh {
public:
    explicit TColumnTitleEh(TColumnEh& column) : column_(column) {}
    TColumnTitleEh(const TColumnTitleEh&) = delete;
    TColumnTitleEh& operator=(const TColumnTitleEh&) = delete;

    TColumnEh& Column() const { return column_; }

    // Default: the field's display name; the column's FieldName when it has no field.
    QString Caption() const;
    void SetCaption(const QString& caption);
    QString DefaultCaption() const;

    // Default: centred with a multi-line title tree, else left-justified.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment);

    // Default: the grid's FixedColor.
    TColor Color() const;
    void SetColor(TColor color);

    // Default: the grid's TitleFont.
    TGridFont Font() const;
    void SetFont(const TGridFont& font);

    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool endEllipsis);

    // Puts every assigned value back to its default.
    void RestoreDefaults();

private:
    TColumnEh& column_;
    QString caption_;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clMoneyGreen;
    TGridFont font_;
    bool endEllipsis_ = false;
};
