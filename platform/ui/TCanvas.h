#pragma once

#include "platform/ui/Colors.h"
#include "platform/ui/TRect.h"
#include "platform/ui/TextMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <optional>
#include <span>

class QImage;
class QPainter;

enum TBrushStyle { bsSolid, bsClear };

// Edge kinds and sides for DrawEdge, with the platform's values.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;

// A drawing surface with the platform's device-context model over a QPainter: a current brush,
// pen and font, integer coordinates, rectangles with exclusive right and bottom edges, and no
// antialiasing, so that what is drawn is pixel-exact. The painter belongs to the caller (the
// grid's paint event, or a QImage in tests) and must outlive the canvas; the canvas turns the
// painter's antialiasing and smoothing off and restores any other state it changes.
class TCanvas {
public:
    explicit TCanvas(QPainter& painter);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPainter& Painter() { return painter_; }

    void SetBrushColor(TColor color) { brushColor_ = color; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushStyle(TBrushStyle style) { brushStyle_ = style; }
    TBrushStyle BrushStyle() const { return brushStyle_; }

    void SetPenColor(TColor color) { penColor_ = color; }
    TColor PenColor() const { return penColor_; }
    // Lines of width 1 are cosmetic one-pixel lines; wider lines have flat ends and mitred joins.
    void SetPenWidth(int width) { penWidth_ = width; }
    int PenWidth() const { return penWidth_; }

    void SetFont(const QFont& font, TColor color);
    const QFont& Font() const { return font_; }
    void SetFontColor(TColor color) { fontColor_ = color; }
    TColor FontColor() const { return fontColor_; }

    // The region outside which nothing needs drawing (a paint event's region); RectVisible
    // tests against it. Without one the painter's clip region, if any, is used.
    void SetVisibleRegion(const QRegion& region) { visibleRegion_ = region; }
    // True when some pixel of the rectangle lies in the visible region.
    bool RectVisible(const TRect& rect) const;

    // Fills the rectangle with the brush colour (nothing with a clear brush).
    void FillRect(const TRect& rect);
    // Connected lines through the points in the pen; the last point itself is not drawn.
    void Polyline(std::span<const QPoint> points);
    // Several polylines in one call: counts[i] points each, taken in turn from points.
    void PolyPolyline(std::span<const QPoint> points, std::span<const int> counts);

    // Draws the text with the top-left of its character cell at (x, y) (the baseline is at
    // y + ascent), clipped to clip. Opaque fills clip with the brush colour first; otherwise a
    // solid brush fills the text's own cell and a clear brush leaves the background alone.
    void ExtTextOut(int x, int y, const TRect& clip, bool opaque, const QString& text);
    // Multi-line text inside the rectangle, wrapped at word breaks when wordBreak is set, placed
    // by the Qt alignment flags and clipped to the rectangle; the background is left alone.
    void DrawText(const TRect& rect, const QString& text, Qt::Alignment alignment, bool wordBreak);
    // The text's width: the sum of its advance widths in the current font.
    int TextWidth(const QString& text) const;
    // The text's height: the current font's character cell height (Ascent + Descent).
    int TextHeight(const QString& text) const;
    // The current font's vertical metrics.
    TTextMetric TextMetrics() const;

    // The platform's 3D edges: one pixel line per edge kind, the outer kind on the rectangle's
    // outermost ring and the inner kind inside it (or on the outermost ring when alone), drawn
    // on the given sides only.
    void DrawEdge(const TRect& rect, unsigned edge, unsigned sides);
    // Draws an image with an alpha channel (transparent where its mask colour was) at (x, y).
    void DrawGlyph(int x, int y, const QImage& glyphWithAlpha);

private:
    void DrawThinSegment(QPoint from, QPoint to, const QColor& color);
    void DrawThinPolyline(std::span<const QPoint> points);
    void DrawWidePolyline(std::span<const QPoint> points);
    void DrawEdgeRing(const TRect& rect, int inset, TColor topLeft, TColor bottomRight,
                      unsigned sides);

    QPainter& painter_;
    TColor brushColor_ = clWhite;
    TBrushStyle brushStyle_ = bsSolid;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    QFont font_;
    QFont drawingFont_; // the font as drawn and measured: without antialiasing
    QFontMetrics drawingMetrics_;
    TTextMetric textMetric_;
    TColor fontColor_ = clWindowText;
    std::optional<QRegion> visibleRegion_;
};
