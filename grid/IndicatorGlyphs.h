#pragma once

#include <QImage>

#include <array>

constexpr int GlyphWidth = 6;
constexpr int GlyphHeight = 11;

// The indicator column's shared image list, built once from the program's glyph bitmaps:
//   0 arrow (browsing), 1 I-beam (editing), 2 asterisk (inserting), 3 multi-select dot,
//   4 multi-select arrow, 5 white arrow (current and selected), 6 the white arrow recoloured
//   (incremental search).
// Each glyph is 6 x 11 pixels with an alpha channel: transparent where the bitmap had its mask
// colour (white for 0-4, clTeal for 5 and 6).
class IndicatorGlyphs {
public:
    static constexpr int Count = 7;

    static const IndicatorGlyphs& Instance();
    // The glyph at index 0..Count-1.
    const QImage& Glyph(int index) const;

private:
    IndicatorGlyphs();

    std::array<QImage, Count> glyphs_;
};
