#include "platform/ui/TCanvas.h"

#include "platform/ui/Fonts.h"
#include "tests/grid/PaintedImage.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr TColor Background = clRed;

// The expected colour of each pixel, one string per row: 'L' the edge's light side colour,
// 'D' its dark side colour, 'l'/'d' those of an inner ring, '.' the untouched background.
void ExpectPixels(const QImage& image, const std::vector<std::string>& rows,
                  const std::map<char, TColor>& colours) {
    for (int y = 0; y < int(rows.size()); ++y) {
        for (int x = 0; x < int(rows[y].size()); ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const char kind = rows[y][std::size_t(x)];
            const TColor expected = kind == '.' ? Background : colours.at(kind);
            EXPECT_EQ(PixelAt(image, x, y), ColorToRGB(expected));
        }
    }
}

TEST(CanvasDrawEdge, DrawsOnePixelPerEdgeKindWithTheDarkSideOwningTheFarCorners) {
    const struct {
        const char* name;
        unsigned edge;
        unsigned sides;
        std::vector<std::string> rows;
        std::map<char, TColor> colours;
    } cases[] = {
        {"sunken outer border",
         BDR_SUNKENOUTER,
         BF_RECT,
         {"LLLLLD", "L....D", "L....D", "L....D", "DDDDDD"},
         {{'L', clBtnShadow}, {'D', clBtnHighlight}}},
        {"raised inner, left and top",
         BDR_RAISEDINNER,
         BF_LEFT | BF_TOP,
         {"LLLLLL", "L.....", "L.....", "L.....", "L....."},
         {{'L', clBtnHighlight}}},
        {"sunken inner, left and top",
         BDR_SUNKENINNER,
         BF_LEFT | BF_TOP,
         {"LLLLLL", "L.....", "L.....", "L.....", "L....."},
         {{'L', clBtnShadow}}},
        {"raised inner, right and bottom",
         BDR_RAISEDINNER,
         BF_RIGHT | BF_BOTTOM,
         {".....D", ".....D", ".....D", ".....D", "DDDDDD"},
         {{'D', clBtnShadow}}},
        {"raised outer and inner",
         BDR_RAISEDOUTER | BDR_RAISEDINNER,
         BF_RECT,
         {"LLLLLD", "LllldD", "Ll..dD", "LddddD", "DDDDDD"},
         {{'L', cl3DLight}, {'D', cl3DDkShadow}, {'l', clBtnHighlight}, {'d', clBtnShadow}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = PaintImage(8, 7, Background, [&](TCanvas& canvas) {
            canvas.DrawEdge({0, 0, 6, 5}, c.edge, c.sides);
        });
        ExpectPixels(image, c.rows, c.colours);
        EXPECT_EQ(InkBounds(image, Background, QRect(0, 5, 8, 2)), QRect());
        EXPECT_EQ(InkBounds(image, Background, QRect(6, 0, 2, 7)), QRect());
    }
}

TEST(CanvasLines, PolyPolylineLeavesOutTheLastPointOfEachLine) {
    const std::vector<QPoint> points{{1, 1}, {5, 1}, {2, 3}, {2, 7}, {6, 7}, {7, 6}, {7, 2}};
    const std::vector<int> counts{2, 3, 2};
    const QImage image = PaintImage(9, 9, Background, [&](TCanvas& canvas) {
        canvas.SetPenColor(clNavy);
        canvas.PolyPolyline(points, counts);
    });
    ExpectPixels(image,
                 {".........", ".PPPP....", ".........", "..P....P.", "..P....P.", "..P....P.",
                  "..P....P.", "..PPPP...", "........."},
                 {{'P', clNavy}});
}

TEST(CanvasLines, PolylineDrawsSlantedSegmentsPixelByPixel) {
    const std::vector<QPoint> points{{0, 0}, {3, 3}};
    const QImage image = PaintImage(4, 4, Background, [&](TCanvas& canvas) {
        canvas.SetPenColor(clBlack);
        canvas.Polyline(points);
    });
    ExpectPixels(image, {"P...", ".P..", "..P.", "...."}, {{'P', clBlack}});
}

TEST(CanvasFill, FillRectUsesTheBrushAndAClearBrushPaintsNothing) {
    const QImage image = PaintImage(6, 3, Background, [](TCanvas& canvas) {
        canvas.SetBrushColor(clTeal);
        canvas.FillRect({1, 0, 3, 2});
        canvas.SetBrushStyle(bsClear);
        canvas.FillRect({3, 0, 6, 3});
    });
    ExpectPixels(image, {".BB...", ".BB...", "......"}, {{'B', clTeal}});
}

TEST(CanvasText, TahomaIsLoadedAndWgIsThirteenPixelsHigh) {
    LoadPlatformFonts();
    const QFont font = WindowFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.SetFont(font, clWindowText);
    EXPECT_EQ(canvas.TextHeight(QStringLiteral("Wg")), 13);
    const TTextMetric metric = canvas.TextMetrics();
    EXPECT_EQ(metric.Ascent, 11);
    EXPECT_EQ(metric.Descent, 2);
    EXPECT_EQ(metric.InternalLeading, 2);
    EXPECT_EQ(metric.ExternalLeading, 0);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("Wg")), canvas.TextWidth(QStringLiteral("W")));
}

TEST(CanvasText, ExtTextOutDrawsBelowTheCellTopAndInsideTheClip) {
    const TRect clip{2, 2, 30, 16};
    const struct {
        const char* name;
        bool opaque;
        TBrushStyle style;
    } cases[] = {{"opaque", true, bsClear}, {"transparent", false, bsClear}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = PaintImage(40, 20, Background, [&](TCanvas& canvas) {
            canvas.SetFont(WindowFont(), clBlack);
            canvas.SetBrushColor(clWhite);
            canvas.SetBrushStyle(c.style);
            canvas.ExtTextOut(4, 3, clip, c.opaque, QStringLiteral("TTTTTTTTTT"));
        });
        // The capital T of Tahoma at 11 pixels starts 3 pixels below the cell top.
        const QRect ink = InkBounds(image, c.opaque ? clWhite : Background, clip.ToQRect());
        EXPECT_EQ(ink.top(), 3 + 3);
        EXPECT_GE(ink.left(), 4);
        EXPECT_EQ(ink.right(), clip.Right - 1) << "the text is cut at the clip";
        EXPECT_EQ(PixelAt(image, 2, 2), c.opaque ? clWhite : Background);
        EXPECT_EQ(InkBounds(image, Background, QRect(30, 0, 10, 20)), QRect());
        EXPECT_EQ(InkBounds(image, Background, QRect(0, 0, 40, 2)), QRect());
    }
}

TEST(CanvasClip, RectVisibleTestsAgainstTheVisibleRegion) {
    QImage image(50, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    EXPECT_TRUE(canvas.RectVisible({0, 0, 10, 10}));
    EXPECT_FALSE(canvas.RectVisible({5, 5, 5, 10})) << "an empty rectangle is never visible";
    canvas.SetVisibleRegion(QRegion(10, 10, 10, 10));
    EXPECT_TRUE(canvas.RectVisible({19, 19, 25, 25}));
    EXPECT_FALSE(canvas.RectVisible({0, 0, 10, 10})) << "the right edge is exclusive";
    EXPECT_FALSE(canvas.RectVisible({20, 0, 30, 30}));
}

} // namespace
