#include "grid/IndicatorGlyphs.h"

#include "platform/ui/Colors.h"

#include <QColor>
#include <QString>

namespace {

struct GlyphSource {
    const char* resource;
    TColor mask;
};

// The bitmaps of indices 0..5 and the colour each was drawn on.
constexpr std::array<GlyphSource, 6> Sources{{
    {":/glyphs/DBGARROWEH.bmp", clWhite},
    {":/glyphs/DBEDITEH.bmp", clWhite},
    {":/glyphs/DBINSERTEH.bmp", clWhite},
    {":/glyphs/DBMULTIDOTEH.bmp", clWhite},
    {":/glyphs/DBMULTIARROWEH.bmp", clWhite},
    {":/glyphs/DBGARROWEHW.bmp", clTeal},
}};

constexpr int SelectedArrow = 5;
constexpr int SearchArrow = 6;
// The ink of the incremental-search arrow, so that it reads apart from the selected arrow.
constexpr TColor SearchArrowColor = clNavy;

// The bitmap with every pixel of the mask colour made transparent. A missing resource gives
// a fully transparent glyph rather than an empty image, so drawing never fails.
QImage LoadMasked(const GlyphSource& source) {
    QImage image(QString::fromLatin1(source.resource));
    if (image.isNull()) {
        QImage blank(GlyphWidth, GlyphHeight, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        return blank;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = ToQColor(source.mask).rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == mask)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

// The glyph with every drawn pixel in the given colour.
QImage Recoloured(const QImage& glyph, TColor ink) {
    QImage copy = glyph.copy();
    const QRgb colour = ToQColor(ink).rgb();
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) {
            if (qAlpha(copy.pixel(x, y)) != 0)
                copy.setPixel(x, y, colour);
        }
    }
    return copy;
}

} // namespace

IndicatorGlyphs::IndicatorGlyphs() {
    for (std::size_t i = 0; i < Sources.size(); ++i)
        glyphs_[i] = LoadMasked(Sources[i]);
    glyphs_[SearchArrow] = Recoloured(glyphs_[SelectedArrow], SearchArrowColor);
}

const IndicatorGlyphs& IndicatorGlyphs::Instance() {
    static const IndicatorGlyphs glyphs;
    return glyphs;
}

const QImage& IndicatorGlyphs::Glyph(int index) const {
    return glyphs_.at(static_cast<std::size_t>(index));
}
