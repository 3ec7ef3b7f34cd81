#pragma once

#include "grid/TGridFont.h"
#include "platform/ui/Colors.h"

// How the grid looks, as its properties set it: colours, fonts, the flat style, the row
// heights asked for, the footer rows and how titles and memo text are drawn. The grid rebuilds
// its layout or repaints when one of them changes; painting and the layout read them.
struct GridAppearance {
    // Whether the grid draws its cells itself.
    bool defaultDrawing = true;
    // Default column colour and the empty area.
    TColor color = clWindow;
    // Default title colour and the indicator cells.
    TColor fixedColor = clBtnFace;
    // Backgrounds of even and odd record numbers while the data set is sequenced.
    TColor evenRowColor = clWindow;
    TColor oddRowColor = clWindow;
    // Flat border, grey lines of fixed cells and the narrow text margins.
    bool flat = false;
    // Default column font; decides the data row height.
    TGridFont font;
    // Default title font; decides the title row height.
    TGridFont titleFont;
    TColor footerColor = clWindow;
    TGridFont footerFont;
    int footerRowCount = 0;
    // 0 and 0: rows one text line high.
    int rowHeight = 0;
    int rowLines = 0;
    // Centred titles by default, for a multi-line title tree.
    bool useMultiTitle = false;
    bool drawMemoText = false;
};
