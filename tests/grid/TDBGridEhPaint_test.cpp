// The painted grid, checked pixel by pixel in client coordinates: data row k lies at y 16 + 16k
// to 30 + 16k; the indicator at x 0-10, Tel at 12-60, Fio at 62-248, Name at 250-408.
#include "grid/GridPainting.h"
#include "grid/IndicatorGlyphs.h"
#include "platform/ui/Fonts.h"
#include "tests/grid/GridFixture.h"
#include "tests/grid/PaintedImage.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

constexpr TRect TelCell{12, 16, 61, 31};
constexpr TRect FioCell{62, 16, 249, 31};
constexpr TRect NameCell{250, 16, 409, 31};
constexpr TColor EvenRow = RGB(240, 251, 255);

// The cell of a column in data row k.
TRect InRow(TRect cell, int k) {
    cell.Top += 16 * k;
    cell.Bottom += 16 * k;
    return cell;
}

QRect Area(const TRect& rect) {
    return rect.ToQRect();
}

// The text drawn straight into the cell at (x, y) over the brush, as the reference for what
// the grid writes there.
QImage TextInCell(const TRect& cell, TColor brush, int x, int y, const QString& text,
                  TColor fontColor = clWindowText) {
    return PaintImage(429, 321, clActiveBorder, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), fontColor);
        canvas.SetBrushColor(brush);
        canvas.ExtTextOut(x, y, cell, true, text);
    });
}

int TextWidth(const QString& text) {
    int width = 0;
    PaintImage(10, 10, clWhite, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), clWindowText);
        width = canvas.TextWidth(text);
    });
    return width;
}

// Whether the two images agree inside the rectangle.
std::string Difference(const QImage& image, const QImage& reference, const TRect& rect) {
    return ImageDifference(image.copy(Area(rect)), reference.copy(Area(rect)));
}

class GridPaint : public GridTest {
protected:
    void AddNames(const std::vector<QString>& names) {
        std::vector<DirectoryEntry> entries;
        int k = 0;
        for (const QString& name : names) {
            ++k;
            entries.push_back(
                {200000.0 + k, name, QStringLiteral("LENINA %1").arg(k, 3, 10, QChar('0')), {}});
        }
        addEntries(entries);
    }
};

struct TitleCase {
    int left;
    int right;
    const char* caption;
};

TEST_F(GridPaint, TitlesShowTheirCaptionsTwoPixelsInAndOneDown) {
    Show();
    const QImage image = Paint();
    const TitleCase cases[] = {
        {12, 61, "Телефон"}, {62, 249, "Ф.И.О. или организация"}, {250, 409, "Адрес"}};
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.caption);
        const TRect inner{c.left + 1, 1, c.right - 1, 14};
        const QImage reference =
            TextInCell(inner, clMoneyGreen, c.left + 2, 1, QString::fromUtf8(c.caption));
        EXPECT_EQ(Difference(image, reference, inner), "");
        // The raised frame: light on the left and top, the cell colour on the right and bottom.
        EXPECT_EQ(PixelAt(image, c.left, 7), ColorToRGB(clBtnHighlight));
        EXPECT_EQ(PixelAt(image, c.left + 5, 0), ColorToRGB(clBtnHighlight));
        EXPECT_EQ(PixelAt(image, c.right - 1, 7), clMoneyGreen);
        EXPECT_EQ(PixelAt(image, c.left + 5, 14), clMoneyGreen);
        // Lines of fixed cells are grey in a flat grid.
        EXPECT_EQ(PixelAt(image, c.right, 7), clGray);
        EXPECT_EQ(PixelAt(image, c.left + 5, 15), clGray);
    }
}

TEST_F(GridPaint, PhoneNumbersEndThreePixelsBeforeTheCellsEdge) {
    AddNames({QStringLiteral("Ivanov")});
    Show();
    OpenAll();
    FocusElsewhere();
    const QString text = QStringLiteral("20-00-01");
    const QImage reference =
        TextInCell(TelCell, clWhite, TelCell.Right - TextWidth(text) - 3, TelCell.Top + 1, text);
    const QImage image = Paint();
    EXPECT_EQ(Difference(image, reference, TelCell), "");
    const QImage name = TextInCell(NameCell, clWhite, NameCell.Left + 2, NameCell.Top + 1,
                                   QStringLiteral("LENINA 001"));
    EXPECT_EQ(Difference(image, name, NameCell), "");
}

struct RowColourCase {
    const char* what;
    bool filtered;
    TColor colours[3];
};

TEST_F(GridPaint, RecordsAlternateTheirColoursOnlyWhileSequenced) {
    AddNames({QStringLiteral("Ivanov A"), QStringLiteral("Ivanov B"), QStringLiteral("Ivanov C")});
    const RowColourCase cases[] = {
        {"unfiltered", false, {clWhite, EvenRow, clWhite}},
        {"street and name",
         true,
         {ColorToRGB(clActiveBorder), ColorToRGB(clActiveBorder), ColorToRGB(clActiveBorder)}},
    };
    Show();
    FocusElsewhere();
    for (const RowColourCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.filtered)
            OpenFiltered(QStringLiteral("LENINA"), QStringLiteral("Ivanov"));
        else
            OpenAll();
        const QImage image = Paint();
        for (int k = 0; k < 3; ++k) {
            for (const TRect& cell : {TelCell, FioCell, NameCell}) {
                const TRect rect = InRow(cell, k);
                EXPECT_EQ(PixelAt(image, rect.Left, rect.Bottom - 1), c.colours[k]) << k;
                EXPECT_EQ(PixelAt(image, rect.Right - 1, rect.Top), c.colours[k]) << k;
            }
        }
        // Lines between data cells are silver.
        EXPECT_EQ(PixelAt(image, 100, 31), clSilver);
        EXPECT_EQ(PixelAt(image, 61, 40), clSilver);
    }
}

TEST_F(GridPaint, TheCurrentRowIsHighlightedWhileTheGridHasTheFocus) {
    AddNames({QStringLiteral("Ivanov"), QStringLiteral("Petrov")});
    Show();
    OpenAll();
    query.Next();
    FocusGrid();
    QImage image = Paint();
    const TColor highlight = ColorToRGB(clHighlight);
    const TColor highlightText = ColorToRGB(clHighlightText);
    for (const TRect& cell : {TelCell, FioCell, NameCell}) {
        const TRect rect = InRow(cell, 1);
        EXPECT_EQ(PixelAt(image, rect.Left, rect.Top), highlight);
        // Everything in the row is the highlight or its text colour, and there is text.
        bool text = false;
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            for (int x = rect.Left; x < rect.Right; ++x) {
                const TColor pixel = PixelAt(image, x, y);
                ASSERT_TRUE(pixel == highlight || pixel == highlightText) << x << "," << y;
                text = text || pixel == highlightText;
            }
        }
        EXPECT_TRUE(text);
        EXPECT_EQ(PixelAt(image, cell.Left, cell.Top), clWhite);
    }
    FocusElsewhere();
    image = Paint();
    EXPECT_EQ(PixelAt(image, 100, 32), EvenRow);
}

struct TintCase {
    const char* what;
    bool focused;
    TColor row;
};

TEST_F(GridPaint, SelectedRowsAreTintedAndTheirIndicatorDarkened) {
    AddNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const TintCase cases[] = {
        {"focused", true, TintColor(EvenRow, clHighlight, true)},
        {"not focused", false, TintColor(EvenRow, clBtnShadow, false)},
    };
    Show();
    OpenAll();
    query.Next();
    grid->Selection().Rows().SetCurrentRowSelected(true);
    query.Prior();
    ASSERT_EQ(grid->Selection().SelectionType(), gstRecordBookmarks);
    for (const TintCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.focused)
            FocusGrid();
        else
            FocusElsewhere();
        const QImage image = Paint();
        EXPECT_EQ(PixelAt(image, 100, 46), c.row);
        EXPECT_EQ(PixelAt(image, 13, 46), c.row);
        EXPECT_EQ(PixelAt(image, 5, 40), RGB(64, 64, 64));
        // No glyph for a selected row that is not current, and a sunken frame.
        EXPECT_EQ(InkBounds(image, RGB(64, 64, 64), QRect(1, 33, 9, 13)), QRect());
        EXPECT_EQ(PixelAt(image, 0, 40), ColorToRGB(clBtnShadow));
        EXPECT_EQ(PixelAt(image, 100, 62), clWhite);
    }
}

TEST_F(GridPaint, TheCurrentSelectedRecordShowsTheWhiteArrow) {
    AddNames({QStringLiteral("A"), QStringLiteral("B")});
    Show();
    OpenAll();
    grid->Selection().Rows().SetCurrentRowSelected(true);
    FocusGrid();
    const QImage image = Paint();
    EXPECT_EQ(PixelAt(image, 100, 23), ColorToRGB(clHighlight));
    const QImage& glyph = IndicatorGlyphs::Instance().Glyph(5);
    for (int y = 0; y < GlyphHeight; ++y) {
        for (int x = 0; x < GlyphWidth; ++x) {
            const bool drawn = qAlpha(glyph.pixel(x, y)) != 0;
            EXPECT_EQ(PixelAt(image, 3 + x, 18 + y), drawn ? clWhite : RGB(64, 64, 64));
        }
    }
}

struct GlyphCase {
    const char* what;
    std::function<void(TADOQuery&)> state;
    int glyph;
};

TEST_F(GridPaint, TheIndicatorShowsTheQuerysStateAtTheCurrentRow) {
    AddNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const GlyphCase cases[] = {
        {"browsing", [](TADOQuery&) {}, 0},
        {"editing", [](TADOQuery& q) { q.Edit(); }, 1},
        {"inserting", [](TADOQuery& q) { q.Insert(); }, 2},
    };
    Show();
    FocusElsewhere();
    for (const GlyphCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenAll();
        query.Next();
        c.state(query);
        const QImage image = Paint();
        const QImage& glyph = IndicatorGlyphs::Instance().Glyph(c.glyph);
        // 3 pixels from the indicator's left edge, centred in the 15-pixel row.
        for (int y = 0; y < GlyphHeight; ++y) {
            for (int x = 0; x < GlyphWidth; ++x) {
                const bool drawn = qAlpha(glyph.pixel(x, y)) != 0;
                const TColor expected = drawn ? PixelAt(glyph, x, y) : clMoneyGreen;
                EXPECT_EQ(PixelAt(image, 3 + x, 34 + y), expected) << x << "," << y;
            }
        }
        EXPECT_EQ(InkBounds(image, clMoneyGreen, QRect(1, 17, 9, 13)), QRect());
        query.Cancel();
        query.Close();
    }
}

TEST_F(GridPaint, ALongNameEndsInDotsAndALongAddressIsCut) {
    const QString fio = QStringLiteral("Общество с ограниченной ответственностью Рога и копыта");
    const QString street = QStringLiteral("ПРОСПЕКТ ИМЕНИ ОЧЕНЬ ДЛИННОГО НАЗВАНИЯ 1234");
    addEntries({{123456.0, fio, street, {}}});
    Show();
    OpenAll();
    FocusElsewhere();
    QString shortened;
    PaintImage(10, 10, clWhite, [&](TCanvas& canvas) {
        canvas.SetFont(WindowFont(), clWindowText);
        shortened = ShortenWithEllipsis(fio, canvas, 187 - 2);
    });
    ASSERT_TRUE(shortened.endsWith(QStringLiteral("...")));
    const QImage image = Paint();
    EXPECT_EQ(Difference(image, TextInCell(FioCell, clWhite, 64, 17, shortened), FioCell), "");
    ASSERT_GT(TextWidth(street), 159);
    EXPECT_EQ(Difference(image, TextInCell(NameCell, clWhite, 252, 17, street), NameCell), "");
}

TEST_F(GridPaint, RepeatedNamesShowOnTheirFirstRowOnly) {
    AddNames({QStringLiteral("Same"), QStringLiteral("Same"), QStringLiteral("Same"),
              QStringLiteral("same"), QStringLiteral(""), QStringLiteral("")});
    Show();
    OpenAll();
    FocusElsewhere();
    const QImage image = Paint();
    const TColor rows[] = {clWhite, EvenRow, clWhite, EvenRow, clWhite, EvenRow};
    // Letter case matters; two empty names are duplicates too.
    const bool ink[] = {true, false, false, true, false, false};
    const bool duplicate[] = {false, true, true, false, false, true};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(!InkBounds(image, rows[k], Area(InRow(FioCell, k))).isEmpty(), ink[k]);
        if (k == 0)
            continue;
        // Above a hidden duplicate the line is painted in the column's colour.
        const int lineY = 15 + 16 * k;
        const TColor line = duplicate[k] ? ColorToRGB(clActiveBorder) : clSilver;
        EXPECT_EQ(PixelAt(image, 62, lineY), line);
        EXPECT_EQ(PixelAt(image, 248, lineY), line);
        EXPECT_EQ(PixelAt(image, 61, lineY), clSilver);
        EXPECT_EQ(PixelAt(image, 249, lineY), clSilver);
        EXPECT_EQ(PixelAt(image, 30, lineY), clSilver);
    }
}

TEST_F(GridPaint, TheTopRowAlwaysShowsItsName) {
    std::vector<QString> names = {QStringLiteral("Same"), QStringLiteral("Same"),
                                  QStringLiteral("Same")};
    for (int k = 4; k <= 30; ++k)
        names.push_back(QStringLiteral("P%1").arg(k));
    AddNames(names);
    Show();
    OpenAll();
    FocusElsewhere();
    query.Last();
    query.MoveBy(-18);
    query.MoveBy(-10);
    ASSERT_EQ(query.RecNo(), 2);
    ASSERT_EQ(grid->DataLink().ActiveRecord(), 0);
    const QImage image = Paint();
    EXPECT_FALSE(InkBounds(image, EvenRow, Area(InRow(FioCell, 0))).isEmpty());
    EXPECT_TRUE(InkBounds(image, clWhite, Area(InRow(FioCell, 1))).isEmpty());
}

struct EmptyCase {
    const char* what;
    bool open;
    bool arrow;
};

TEST_F(GridPaint, AnEmptyOrClosedQueryShowsOneEmptyRow) {
    const EmptyCase cases[] = {{"closed", false, false}, {"empty", true, true}};
    Show();
    FocusElsewhere();
    for (const EmptyCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.open)
            OpenAll();
        const QImage image = Paint();
        const TColor background = ColorToRGB(clActiveBorder);
        for (const TRect& cell : {TelCell, FioCell, NameCell})
            EXPECT_EQ(InkBounds(image, background, Area(cell)), QRect());
        EXPECT_EQ(InkBounds(image, background, QRect(0, 32, 429, 289)), QRect());
        EXPECT_EQ(InkBounds(image, background, QRect(410, 0, 19, 32)), QRect());
        EXPECT_FALSE(InkBounds(image, clMoneyGreen, QRect(13, 1, 47, 13)).isEmpty());
        const QRect indicator(1, 17, 9, 13);
        EXPECT_EQ(InkBounds(image, clMoneyGreen, indicator).isEmpty(), !c.arrow);
        if (c.arrow) {
            EXPECT_EQ(InkBounds(image, clMoneyGreen, indicator), QRect(3, 18, 6, 11));
        }
    }
}

TEST_F(GridPaint, TheBorderIsOneSunkenPixel) {
    Show();
    const QImage image = grid->grab().toImage();
    EXPECT_EQ(PixelAt(image, 0, 100), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 100, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 430, 100), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 100, 322), ColorToRGB(clBtnHighlight));
}

} // namespace
