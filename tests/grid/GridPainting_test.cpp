#include "grid/GridPainting.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/TCanvas.h"
#include "tests/grid/PaintedImage.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Background = clActiveBorder;
constexpr TColor Cell = clWhite;

// Writes text into a cell of a 260 x 48 image in the window font, black on a white brush.
struct CellText {
    TRect rect;
    int dx = 2;
    int dy = 1;
    QString text;
    TAlignment alignment = taLeftJustify;
    TTextLayout layout = tlTop;
    bool endEllipsis = false;
    bool opaque = true;
};

QImage Write(const CellText& cell) {
    return PaintImage(260, 48, Background, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), clBlack);
        canvas.SetBrushColor(Cell);
        WriteCellText(canvas, cell.rect, cell.opaque, cell.dx, cell.dy, cell.text, cell.alignment,
                      cell.layout, cell.endEllipsis, false);
    });
}

// The same rectangle filled and the text drawn straight at (x, y).
QImage Reference(const TRect& rect, int x, int y, const QString& text) {
    return PaintImage(260, 48, Background, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), clBlack);
        canvas.SetBrushColor(Cell);
        canvas.ExtTextOut(x, y, rect, true, text);
    });
}

int Width(const QString& text) {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.SetFont(WindowFont(), clBlack);
    return canvas.TextWidth(text);
}

// Cells of the results grid: a data cell of Fio (x 62-248), of Tel (x 12-60), a raised
// title cell of Tel shrunk by its frame, and taller cells for the vertical layouts. Capital
// letters of the window font start 3 pixels below the top of the text.
TEST(WriteCellText, PlacesTheTextByAlignmentLayoutAndMargins) {
    const TRect fio{62, 16, 249, 31};
    const TRect tel{12, 16, 61, 31};
    const TRect telTitle{13, 1, 60, 14};
    const TRect tall{0, 0, 60, 40};
    const struct {
        const char* name;
        CellText cell;
        int firstInkColumn; // -1: not checked
        int lastInkColumn;  // -1: not checked
        int firstInkRow;
    } cases[] = {
        {"left data cell", {fio, 2, 1, "ТЕЛЕФОН"}, 64, -1, 20},
        {"title caption", {telTitle, 1, 0, "ТЕЛЕФОН"}, 14, -1, 4},
        // The advance of the last 5 ends 3 pixels before the edge; the glyph's own ink ends
        // 2 pixels before its advance.
        {"right-aligned phone", {tel, 2, 1, "5-55-55", taRightJustify}, -1, 61 - 3 - 3, 20},
        {"layout centre", {tall, 2, 1, "TT", taLeftJustify, tlCenter}, 2, -1, 13 + 3},
        {"layout bottom", {tall, 2, 1, "TT", taLeftJustify, tlBottom}, 2, -1, 27 + 3},
        {"centre in a one-line cell",
         {{0, 0, 60, 15}, 2, 1, "TT", taLeftJustify, tlCenter},
         2,
         -1,
         1 + 3},
        {"bottom in a one-line cell",
         {{0, 0, 60, 15}, 2, 1, "TT", taLeftJustify, tlBottom},
         2,
         -1,
         2 + 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect ink = InkBounds(Write(c.cell), Cell, c.cell.rect.ToQRect());
        ASSERT_FALSE(ink.isEmpty());
        if (c.firstInkColumn >= 0) {
            EXPECT_EQ(ink.left(), c.firstInkColumn);
        }
        if (c.lastInkColumn >= 0) {
            EXPECT_EQ(ink.right(), c.lastInkColumn);
        }
        EXPECT_EQ(ink.top(), c.firstInkRow);
    }
}

TEST(WriteCellText, CentresTheTextInTheCell) {
    const CellText cell{{0, 0, 101, 15}, 2, 1, "TTTT", taCenter};
    const QImage image = Write(cell);
    const int x = 0 + 101 / 2 - Width(cell.text) / 2;
    EXPECT_EQ(image, Reference(cell.rect, x, 1, cell.text));
}

TEST(WriteCellText, RightAlignedTextsAdvanceEndsThreePixelsBeforeTheEdge) {
    const TRect tel{12, 16, 61, 31};
    const QString text = QStringLiteral("1-23-45");
    EXPECT_EQ(Write({tel, 2, 1, text, taRightJustify}),
              Reference(tel, 61 - Width(text) - 3, 17, text));
}

TEST(WriteCellText, OpaqueFillsTheWholeCellAndDrawsNothingOutside) {
    const TRect rect{62, 16, 249, 31};
    for (const QString& text : {QString(), QStringLiteral("Иванов")}) {
        SCOPED_TRACE(text.toStdString());
        const QImage image = Write({rect, 2, 1, text});
        EXPECT_EQ(image, Reference(rect, 64, 17, text));
        EXPECT_EQ(PixelAt(image, rect.Left, rect.Top), Cell);
        EXPECT_EQ(PixelAt(image, rect.Right - 1, rect.Bottom - 1), Cell);
        EXPECT_EQ(PixelAt(image, rect.Right, rect.Top), ColorToRGB(Background));
        EXPECT_EQ(PixelAt(image, rect.Left, rect.Bottom), ColorToRGB(Background));
    }
}

TEST(WriteCellText, TransparentLeavesTheBackgroundAndRestoresTheBrush) {
    const TRect rect{62, 16, 249, 31};
    TBrushStyle styleAfter = bsClear;
    const QImage image = PaintImage(260, 48, Background, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), clBlack);
        canvas.SetBrushColor(Cell);
        WriteCellText(canvas, rect, false, 2, 1, QStringLiteral("Иванов"), taLeftJustify, tlTop,
                      false, false);
        styleAfter = canvas.BrushStyle();
    });
    EXPECT_EQ(styleAfter, bsSolid);
    EXPECT_EQ(PixelAt(image, rect.Left, rect.Top), ColorToRGB(Background));
    EXPECT_EQ(PixelAt(image, rect.Left + 2, rect.Top + 1), ColorToRGB(Background));
    EXPECT_FALSE(InkBounds(image, Background, rect.ToQRect()).isEmpty());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const TColor pixel = PixelAt(image, x, y);
            EXPECT_TRUE(pixel == ColorToRGB(Background) || pixel == clBlack) << x << "," << y;
        }
    }
}

TEST(WriteCellText, LongTextEndsInDotsWithEllipsisAndIsCutWithout) {
    const TRect fio{62, 16, 249, 31};
    const QString text =
        QStringLiteral("Общество с ограниченной ответственностью «Вельтинсктеплосеть»");
    ASSERT_GT(Width(text), fio.Width() - 2);

    const QImage shortened = Write({fio, 2, 1, text, taLeftJustify, tlTop, true});
    QImage measure(1, 1, QImage::Format_RGB32);
    QPainter painter(&measure);
    TCanvas canvas(painter);
    canvas.SetFont(WindowFont(), clBlack);
    const QString expected = ShortenWithEllipsis(text, canvas, fio.Width() - 2);
    EXPECT_TRUE(expected.endsWith(QStringLiteral("...")));
    EXPECT_LE(Width(expected), fio.Width() - 2);
    EXPECT_EQ(shortened, Reference(fio, 64, 17, expected));

    const QImage cut = Write({fio, 2, 1, text});
    EXPECT_EQ(cut, Reference(fio, 64, 17, text));
    EXPECT_EQ(InkBounds(cut, Cell, fio.ToQRect()).right(), fio.Right - 1);
}

class ShortenWithEllipsisTest : public testing::Test {
protected:
    ShortenWithEllipsisTest() : painter_(&image_), canvas_(painter_) {
        canvas_.SetFont(WindowFont(), clBlack);
    }
    QString Shorten(const QString& text, int maxWidth) {
        return ShortenWithEllipsis(text, canvas_, maxWidth);
    }

    QImage image_{1, 1, QImage::Format_RGB32};
    QPainter painter_;
    TCanvas canvas_;
};

TEST_F(ShortenWithEllipsisTest, RemovesTwoCharactersFirstThenOneAtATime) {
    const QString text = QStringLiteral("Иванов Иван Иванович");
    const QString firstStep = QStringLiteral("Иванов Иван Иванов...");
    const QString secondStep = QStringLiteral("Иванов Иван Ивано...");
    ASSERT_GT(Width(text), Width(firstStep));
    const struct {
        const char* name;
        QString text;
        int maxWidth;
        QString expected;
    } cases[] = {
        {"fits exactly", text, Width(text), text},
        {"first shortening removes two", text, Width(firstStep), firstStep},
        {"one pixel less removes one more", text, Width(firstStep) - 1, secondStep},
        {"nothing fits", text, 0, QStringLiteral("...")},
        {"dots alone are wider than the space", text, Width(QStringLiteral("...")) - 1,
         QStringLiteral("...")},
        {"two characters", QStringLiteral("Ив"), 1, QStringLiteral("...")},
        {"empty text", QString(), 0, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shorten(c.text, c.maxWidth), c.expected);
    }
}

TEST(TintColor, TintsEachChannelTowardsTheGlassAndRoundsHalvesToEven) {
    const struct {
        TColor color;
        TColor glass;
        bool spread;
        TColor expected;
    } cases[] = {
        {clWhite, RGB(0, 0, 128), true, RGB(202, 202, 234)},
        {clWhite, RGB(128, 128, 128), false, RGB(212, 212, 212)},
        {RGB(240, 251, 255), RGB(0, 0, 128), true, RGB(198, 201, 234)},
        {clBlack, clBlack, false, RGB(135, 135, 135)},
        {clBlack, clBlack, true, RGB(138, 138, 138)},
        {clWhite, clWhite, false, RGB(237, 237, 237)},
        {clWhite, clWhite, true, RGB(255, 255, 255)},      // 265.75, clamped
        {RGB(1, 3, 5), clBlack, true, RGB(138, 139, 140)}, // 138.5, 139, 139.5
        {clWhite, clActiveBorder, false, RGB(222, 222, 222)},
        {clActiveBorder, clWhite, false, RGB(222, 222, 222)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.color << " through " << c.glass);
        EXPECT_EQ(TintColor(c.color, c.glass, c.spread), c.expected);
    }
}

// A raised indicator cell (x 0-10, y 16-30) in clMoneyGreen, with its neighbours in red.
TEST(DrawRaisedFrame, LightensTheLeftAndTopAndPaintsTheOtherSidesInTheBackground) {
    const TRect rect{0, 16, 11, 31};
    for (const bool sunken : {false, true}) {
        SCOPED_TRACE(sunken ? "sunken" : "raised");
        const QImage image = PaintImage(13, 33, clRed, [&](TCanvas& canvas) {
            canvas.SetBrushColor(clFuchsia);
            canvas.FillRect(rect);
            canvas.SetBrushColor(clMoneyGreen);
            DrawRaisedFrame(canvas, rect, sunken);
        });
        const TColor edge = ColorToRGB(sunken ? clBtnShadow : clBtnHighlight);
        for (int x = 0; x <= 10; ++x) {
            EXPECT_EQ(PixelAt(image, x, 16), edge) << x;
            EXPECT_EQ(PixelAt(image, x, 15), clRed) << x;
        }
        for (int y = 16; y <= 30; ++y)
            EXPECT_EQ(PixelAt(image, 0, y), edge) << y;
        for (int x = 1; x <= 10; ++x)
            EXPECT_EQ(PixelAt(image, x, 30), clMoneyGreen) << x;
        for (int y = 17; y <= 30; ++y)
            EXPECT_EQ(PixelAt(image, 10, y), clMoneyGreen) << y;
        EXPECT_EQ(InkBounds(image, clFuchsia, QRect(1, 17, 9, 13)), QRect()) << "inside untouched";
        EXPECT_EQ(InkBounds(image, clRed, QRect(11, 0, 2, 33)), QRect());
        EXPECT_EQ(InkBounds(image, clRed, QRect(0, 31, 13, 2)), QRect());
    }
}

} // namespace
