#include "grid/IndicatorGlyphs.h"

#include "tests/grid/PaintedImage.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The glyph table, one line per pixel row: the arrow (also the white arrow), the I-beam, the
// asterisk, the multi-select dot and the multi-select arrow.
constexpr const char* GlyphTable = R"(
| 1  | X..... | XX..XX | ...... | ...... | X..... |
| 2  | XX.... | ..XX.. | ...... | ...... | XX.... |
| 3  | XXX... | ..XX.. | ...... | ...... | .XX... |
| 4  | XXXX.. | ..XX.. | .X..X. | ..XX.. | ..XX.. |
| 5  | XXXXX. | ..XX.. | ..XX.. | .XXXX. | XX.XX. |
| 6  | XXXXXX | ..XX.. | XXXXXX | .XXXX. | XX..XX |
| 7  | XXXXX. | ..XX.. | ..XX.. | .XXXX. | XX.XX. |
| 8  | XXXX.. | ..XX.. | .X..X. | ..XX.. | ..XX.. |
| 9  | XXX... | ..XX.. | ...... | ...... | .XX... |
| 10 | XX.... | ..XX.. | ...... | ...... | XX.... |
| 11 | X..... | XX..XX | ...... | ...... | X..... |
)";

// The pattern of table column `column` (0 = arrow), one string per row.
QStringList Pattern(int column) {
    QStringList rows;
    for (const QString& line : QString::fromLatin1(GlyphTable).split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split('|', Qt::SkipEmptyParts);
        rows << cells.at(column + 1).trimmed();
    }
    return rows;
}

void ExpectGlyph(const QImage& glyph, const QStringList& rows, QRgb ink) {
    ASSERT_EQ(glyph.size(), QSize(GlyphWidth, GlyphHeight));
    ASSERT_EQ(rows.size(), GlyphHeight);
    for (int y = 0; y < GlyphHeight; ++y) {
        for (int x = 0; x < GlyphWidth; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const QRgb pixel = glyph.pixel(x, y);
            if (rows[y][x] == 'X') {
                EXPECT_EQ(qAlpha(pixel), 255);
                EXPECT_EQ(pixel | 0xFF000000u, ink);
            } else {
                EXPECT_EQ(qAlpha(pixel), 0);
            }
        }
    }
}

TEST(IndicatorGlyphs, EachGlyphMatchesItsPatternWithTheMaskTransparent) {
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    const struct {
        int index;
        int column;
        QRgb ink;
    } cases[] = {{0, 0, black}, {1, 1, black}, {2, 2, black},
                 {3, 3, black}, {4, 4, black}, {5, 0, white}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        ExpectGlyph(IndicatorGlyphs::Instance().Glyph(c.index), Pattern(c.column), c.ink);
    }
}

TEST(IndicatorGlyphs, SearchArrowIsTheWhiteArrowInAnotherColour) {
    const QImage& search = IndicatorGlyphs::Instance().Glyph(6);
    const QRgb ink = search.pixel(0, 0);
    EXPECT_NE(ink, qRgb(255, 255, 255));
    ExpectGlyph(search, Pattern(0), ink);
}

TEST(IndicatorGlyphs, DrawingLeavesTheBackgroundBesideTheInk) {
    const QImage image = PaintImage(11, 15, clMoneyGreen, [](TCanvas& canvas) {
        canvas.DrawGlyph(3, 2, IndicatorGlyphs::Instance().Glyph(0));
    });
    EXPECT_EQ(InkBounds(image, clMoneyGreen), QRect(3, 2, GlyphWidth, GlyphHeight));
    EXPECT_EQ(PixelAt(image, 3, 2), clBlack);
    EXPECT_EQ(PixelAt(image, 4, 2), clMoneyGreen);
    EXPECT_EQ(PixelAt(image, 8, 7), clBlack);
}

} // namespace
