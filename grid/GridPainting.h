#pragma once

#include "data/TField.h"
#include "grid/TextLayout.h"
#include "platform/ui/Colors.h"
#include "platform/ui/TRect.h"

#include <QString>

class QFont;
class TCanvas;

// Writes a cell's text into rect with the margins dx (from the left) and dy (from the top),
// aligned horizontally by alignment (right-aligned text ends 3 pixels before rect's right edge)
// and vertically by layout, shortened with "..." when endEllipsis is set and it does not fit,
// clipped to rect. Opaque fills rect with the canvas's brush as well.
void WriteCellText(TCanvas& canvas, const TRect& rect, bool opaque, int dx, int dy,
                   const QString& text, TAlignment alignment, TTextLayout layout, bool endEllipsis,
                   bool wordWrap);

// The text shortened until it fits maxWidth in the canvas's font: each step keeps two fewer
// characters followed by "..."; "..." when nothing fits, even if that is wider.
QString ShortenWithEllipsis(const QString& text, TCanvas& canvas, int maxWidth);

// The colour of a selected cell whose background is color, seen through glass: per channel,
// x = a + (g - a) * 0.5, then x + (225 - x) * 0.6, with spread then x - (122 - x) * 0.25,
// rounded to the nearest integer (ties to even) and clamped to 0..255.
TColor TintColor(TColor color, TColor glass, bool spread);

// The flat raised frame of a title or indicator cell: the bottom and right pixel lines in the
// brush colour, then a one-pixel edge on the left and top, raised (light) or sunken (dark).
void DrawRaisedFrame(TCanvas& canvas, const TRect& rect, bool sunken);

// Whether a data row of the given height holds more than one line of text in the font.
bool RowsHoldSeveralLines(const QFont& font, int rowHeight);
