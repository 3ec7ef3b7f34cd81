#include "platform/ui/TCanvas.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

// A rectangle given by two inclusive corners, in any order.
QRect Span(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// The point one step before `to` on the way from `from` (both on one horizontal or vertical).
QPoint StepBack(QPoint from, QPoint to) {
    const auto toward = [](int a, int b) {
        return a < b ? b - 1 : a > b ? b + 1 : b;
    };
    return QPoint(toward(from.x(), to.x()), toward(from.y(), to.y()));
}

} // namespace

TCanvas::TCanvas(QPainter& painter) : painter_(painter), drawingMetrics_(QFont()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    SetFont(painter_.font(), clWindowText);
}

void TCanvas::SetFont(const QFont& font, TColor color) {
    font_ = font;
    drawingFont_ = font;
    drawingFont_.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
    drawingMetrics_ = QFontMetrics(drawingFont_);
    textMetric_ = GetTextMetrics(font);
    fontColor_ = color;
}

bool TCanvas::RectVisible(const TRect& rect) const {
    if (rect.IsEmpty())
        return false;
    if (visibleRegion_)
        return visibleRegion_->intersects(rect.ToQRect());
    if (painter_.hasClipping())
        return painter_.clipRegion().intersects(rect.ToQRect());
    return true;
}

void TCanvas::FillRect(const TRect& rect) {
    if (brushStyle_ == bsClear || rect.IsEmpty())
        return;
    painter_.fillRect(rect.ToQRect(), ToQColor(brushColor_));
}

void TCanvas::Polyline(std::span<const QPoint> points) {
    if (points.size() < 2)
        return;
    if (penWidth_ <= 1)
        DrawThinPolyline(points);
    else
        DrawWidePolyline(points);
}

void TCanvas::PolyPolyline(std::span<const QPoint> points, std::span<const int> counts) {
    std::size_t start = 0;
    for (const int count : counts) {
        if (count < 0 || start + std::size_t(count) > points.size())
            return;
        Polyline(points.subspan(start, std::size_t(count)));
        start += std::size_t(count);
    }
}

void TCanvas::DrawThinPolyline(std::span<const QPoint> points) {
    const QColor color = ToQColor(penColor_);
    for (std::size_t i = 1; i < points.size(); ++i)
        DrawThinSegment(points[i - 1], points[i], color);
}

// One segment of a one-pixel line, from `from` up to but not including `to`.
void TCanvas::DrawThinSegment(QPoint from, QPoint to, const QColor& color) {
    if (from == to)
        return;
    if (from.x() == to.x() || from.y() == to.y()) {
        painter_.fillRect(Span(from, StepBack(from, to)), color);
        return;
    }
    // Bresenham's line for the rare slanted segment.
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint p = from; p != to;) {
        painter_.fillRect(QRect(p, QSize(1, 1)), color);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (doubled <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

void TCanvas::DrawWidePolyline(std::span<const QPoint> points) {
    painter_.save();
    painter_.setPen(
        QPen(ToQColor(penColor_), penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(points.data(), int(points.size()));
    painter_.restore();
}

void TCanvas::ExtTextOut(int x, int y, const TRect& clip, bool opaque, const QString& text) {
    if (clip.IsEmpty())
        return;
    painter_.save();
    painter_.setClipRect(clip.ToQRect(), Qt::IntersectClip);
    if (opaque)
        painter_.fillRect(clip.ToQRect(), ToQColor(brushColor_));
    else if (brushStyle_ == bsSolid)
        painter_.fillRect(QRect(x, y, TextWidth(text), textMetric_.Height), ToQColor(brushColor_));
    painter_.setFont(drawingFont_);
    painter_.setPen(ToQColor(fontColor_));
    painter_.drawText(QPoint(x, y + textMetric_.Ascent), text);
    painter_.restore();
}

void TCanvas::DrawText(const TRect& rect, const QString& text, Qt::Alignment alignment,
                       bool wordBreak) {
    if (rect.IsEmpty())
        return;
    painter_.save();
    painter_.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    painter_.setFont(drawingFont_);
    painter_.setPen(ToQColor(fontColor_));
    const int flags = int(alignment) | (wordBreak ? int(Qt::TextWordWrap) : 0);
    painter_.drawText(rect.ToQRect(), flags, text);
    painter_.restore();
}

int TCanvas::TextWidth(const QString& text) const {
    return drawingMetrics_.horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const {
    return textMetric_.Height;
}

TTextMetric TCanvas::TextMetrics() const {
    return textMetric_;
}

void TCanvas::DrawEdge(const TRect& rect, unsigned edge, unsigned sides) {
    int inset = 0;
    if (edge & BDR_RAISEDOUTER)
        DrawEdgeRing(rect, inset++, cl3DLight, cl3DDkShadow, sides);
    else if (edge & BDR_SUNKENOUTER)
        DrawEdgeRing(rect, inset++, clBtnShadow, clBtnHighlight, sides);
    if (edge & BDR_RAISEDINNER)
        DrawEdgeRing(rect, inset, clBtnHighlight, clBtnShadow, sides);
    else if (edge & BDR_SUNKENINNER)
        DrawEdgeRing(rect, inset, clBtnShadow, clBtnHighlight, sides);
}

// One pixel ring `inset` pixels inside rect: the left and top lines first, then the right and
// bottom lines over them, so that the dark side owns the top-right and bottom-left corners.
void TCanvas::DrawEdgeRing(const TRect& rect, int inset, TColor topLeft, TColor bottomRight,
                           unsigned sides) {
    const int left = rect.Left + inset;
    const int top = rect.Top + inset;
    const int right = rect.Right - 1 - inset;
    const int bottom = rect.Bottom - 1 - inset;
    if (right < left || bottom < top)
        return;
    const QColor light = ToQColor(topLeft);
    const QColor dark = ToQColor(bottomRight);
    if (sides & BF_LEFT)
        painter_.fillRect(QRect(QPoint(left, top), QPoint(left, bottom)), light);
    if (sides & BF_TOP)
        painter_.fillRect(QRect(QPoint(left, top), QPoint(right, top)), light);
    if (sides & BF_RIGHT)
        painter_.fillRect(QRect(QPoint(right, top), QPoint(right, bottom)), dark);
    if (sides & BF_BOTTOM)
        painter_.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), dark);
}

void TCanvas::DrawGlyph(int x, int y, const QImage& glyphWithAlpha) {
    painter_.drawImage(QPoint(x, y), glyphWithAlpha);
}
