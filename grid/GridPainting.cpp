#include "grid/GridPainting.h"

#include "platform/ui/TCanvas.h"
#include "platform/ui/TextMetrics.h"

#include <QPoint>

#include <algorithm>
#include <array>

namespace {

const QString Ellipsis = QStringLiteral("...");

int TextLeft(const TRect& rect, int dx, int textWidth, TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return rect.Right - textWidth - 3;
    case taCenter:
        return rect.Left + std::max(0, rect.Width()) / 2 - textWidth / 2;
    case taLeftJustify:
        break;
    }
    return rect.Left + dx;
}

int TextTop(const TRect& rect, int dy, int textHeight, TTextLayout layout) {
    if (layout == tlTop || textHeight >= rect.Height() - dy)
        return rect.Top;
    if (layout == tlCenter)
        return (rect.Top + rect.Bottom - textHeight) / 2 - dy;
    return rect.Bottom - textHeight - dy;
}

Qt::Alignment WrappedAlignment(TAlignment alignment, TTextLayout layout) {
    const Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                                     : alignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    const Qt::Alignment vertical = layout == tlBottom   ? Qt::AlignBottom
                                   : layout == tlCenter ? Qt::AlignVCenter
                                                        : Qt::AlignTop;
    return horizontal | vertical;
}

void WriteWrappedText(TCanvas& canvas, const TRect& rect, bool opaque, int dx, int dy,
                      const QString& text, TAlignment alignment, TTextLayout layout) {
    if (opaque)
        canvas.FillRect(rect);
    TRect inner = rect;
    inner.Left += dx;
    inner.Right -= dx;
    inner.Top += dy;
    inner.Bottom -= dy;
    canvas.DrawText(inner, text, WrappedAlignment(alignment, layout), true);
}

// Draws the text with the brush style clear for the call when not opaque, as the text writer
// must leave the background alone then.
void DrawSingleLine(TCanvas& canvas, int x, int y, const TRect& rect, bool opaque,
                    const QString& text) {
    const TBrushStyle style = canvas.BrushStyle();
    if (!opaque)
        canvas.SetBrushStyle(bsClear);
    canvas.ExtTextOut(x, y, rect, opaque, text);
    canvas.SetBrushStyle(style);
}

} // namespace

void WriteCellText(TCanvas& canvas, const TRect& rect, bool opaque, int dx, int dy,
                   const QString& text, TAlignment alignment, TTextLayout layout, bool endEllipsis,
                   bool wordWrap) {
    // Only true-colour surfaces are painted, so the brush is drawn directly, never through a
    // nearest-colour bitmap.
    if (wordWrap) {
        WriteWrappedText(canvas, rect, opaque, dx, dy, text, alignment, layout);
        return;
    }
    const QString shown = endEllipsis ? ShortenWithEllipsis(text, canvas, rect.Width() - dx) : text;
    const int x = TextLeft(rect, dx, canvas.TextWidth(shown), alignment);
    const int y = TextTop(rect, dy, canvas.TextHeight(shown), layout);
    DrawSingleLine(canvas, x, y + dy, rect, opaque, shown);
}

QString ShortenWithEllipsis(const QString& text, TCanvas& canvas, int maxWidth) {
    QString result = text;
    const qsizetype length = text.size();
    for (qsizetype i = 1; i <= length; ++i) {
        if (canvas.TextWidth(result) <= maxWidth)
            break;
        result = text.left(std::max<qsizetype>(0, length - i - 1)) + Ellipsis;
    }
    return result;
}

namespace {

// One channel of the tint, worked in exact integer arithmetic: the two steps without spread
// come to (a + g + 675) / 5, and with spread to (a + g + 553) / 4, so the rounding of exact
// halves (to the even neighbour) is decided without floating-point error.
int TintChannel(int a, int g, bool spread) {
    const int numerator = spread ? a + g + 553 : a + g + 675;
    const int denominator = spread ? 4 : 5;
    int quotient = numerator / denominator;
    const int twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return std::clamp(quotient, 0, 255);
}

} // namespace

TColor TintColor(TColor color, TColor glass, bool spread) {
    const TColor a = ColorToRGB(color);
    const TColor g = ColorToRGB(glass);
    return RGB(TintChannel(GetRValue(a), GetRValue(g), spread),
               TintChannel(GetGValue(a), GetGValue(g), spread),
               TintChannel(GetBValue(a), GetBValue(g), spread));
}

void DrawRaisedFrame(TCanvas& canvas, const TRect& rect, bool sunken) {
    canvas.SetPenColor(canvas.BrushColor());
    const std::array points{QPoint(rect.Left, rect.Bottom - 1),
                            QPoint(rect.Right - 1, rect.Bottom - 1),
                            QPoint(rect.Right - 1, rect.Top - 1)};
    canvas.Polyline(points);
    canvas.DrawEdge(rect, sunken ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_LEFT | BF_TOP);
}

bool RowsHoldSeveralLines(const QFont& font, int rowHeight) {
    const TTextMetric metric = GetTextMetrics(font);
    return metric.Height + metric.InternalLeading + metric.ExternalLeading + 2 < rowHeight;
}
