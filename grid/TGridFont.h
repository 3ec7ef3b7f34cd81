#pragma once

#include "platform/ui/Colors.h"

#include <QFont>

// A font as the grid's properties hold it: the typeface with its size and style, and the colour
// text is drawn in.
struct TGridFont {
    QFont Font;
    TColor Color = clWindowText;

    friend bool operator==(const TGridFont&, const TGridFont&) = default;
};
