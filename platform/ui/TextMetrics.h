#pragma once

class QFont;

// A font's vertical metrics in pixels as the platform's text metrics report them: taken from
// the font's OS/2 and hhea tables at its pixel size, not from the toolkit's line spacing.
struct TTextMetric {
    int Height = 0;          // Ascent + Descent: the character cell height
    int Ascent = 0;          // from the top of the cell to the baseline
    int Descent = 0;         // from the baseline to the bottom of the cell
    int InternalLeading = 0; // Height less the em size
    int ExternalLeading = 0; // extra space the font asks for between lines
};

// The metrics of the font; falls back to the toolkit's metrics when the font has no OS/2 table.
TTextMetric GetTextMetrics(const QFont& font);
