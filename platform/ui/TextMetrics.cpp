#include "platform/ui/TextMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Offsets of the fields read from the OpenType tables.
constexpr int Os2WinAscent = 74;
constexpr int Os2WinDescent = 76;
constexpr int Os2MinimumSize = 78;
constexpr int HheaAscender = 4;
constexpr int HheaDescender = 6;
constexpr int HheaLineGap = 8;
constexpr int HheaMinimumSize = 10;

struct FontTables {
    int winAscent = 0;
    int winDescent = 0;
    int ascender = 0;
    int descender = 0;
    int lineGap = 0;
};

std::optional<FontTables> ReadTables(const QRawFont& raw) {
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray hhea = raw.fontTable("hhea");
    if (os2.size() < Os2MinimumSize || hhea.size() < HheaMinimumSize)
        return std::nullopt;
    const auto u16 = [](const QByteArray& table, int offset) {
        return int(qFromBigEndian<quint16>(table.constData() + offset));
    };
    const auto s16 = [](const QByteArray& table, int offset) {
        return int(qFromBigEndian<qint16>(table.constData() + offset));
    };
    return FontTables{u16(os2, Os2WinAscent), u16(os2, Os2WinDescent), s16(hhea, HheaAscender),
                      s16(hhea, HheaDescender), s16(hhea, HheaLineGap)};
}

// Design units scaled to pixels and rounded to the nearest pixel, halves upwards.
int ToPixels(int units, double pixelsPerUnit) {
    return int(std::floor(units * pixelsPerUnit + 0.5));
}

TTextMetric FromTables(const FontTables& tables, double emPixels, double unitsPerEm) {
    const double scale = emPixels / unitsPerEm;
    TTextMetric metric;
    metric.Ascent = ToPixels(tables.winAscent, scale);
    metric.Descent = ToPixels(tables.winDescent, scale);
    metric.Height = metric.Ascent + metric.Descent;
    metric.InternalLeading = std::max(0, metric.Height - ToPixels(int(unitsPerEm), scale));
    // The line gap the font asks for beyond what its Windows ascent and descent already hold.
    const int hheaHeight = tables.ascender - tables.descender;
    const int extra = tables.lineGap - ((tables.winAscent + tables.winDescent) - hheaHeight);
    metric.ExternalLeading = ToPixels(std::max(0, extra), scale);
    return metric;
}

TTextMetric FromToolkit(const QFont& font) {
    const QFontMetrics metrics(font);
    TTextMetric metric;
    metric.Ascent = metrics.ascent();
    metric.Descent = metrics.descent();
    metric.Height = metric.Ascent + metric.Descent;
    metric.ExternalLeading = std::max(0, metrics.leading());
    return metric;
}

TTextMetric Measure(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (raw.isValid() && raw.unitsPerEm() > 0) {
        if (const auto tables = ReadTables(raw))
            return FromTables(*tables, raw.pixelSize(), raw.unitsPerEm());
    }
    return FromToolkit(font);
}

} // namespace

TTextMetric GetTextMetrics(const QFont& font) {
    // Painting asks for the same few fonts over and over; fonts are used on the UI thread only.
    static QHash<QString, TTextMetric> cache;
    const QString key = font.key();
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    const TTextMetric metric = Measure(font);
    cache.insert(key, metric);
    return metric;
}
