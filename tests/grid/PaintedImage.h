#pragma once

#include "platform/ui/Colors.h"
#include "platform/ui/TCanvas.h"

#include <QImage>
#include <QPainter>
#include <QRect>

// Paints into a fresh image of the given size filled with the background colour, through a
// canvas, and returns the image once the painter has finished.
template <class Draw> QImage PaintImage(int width, int height, TColor background, Draw draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ToQColor(background));
    {
        QPainter painter(&image);
        TCanvas canvas(painter);
        draw(canvas);
    }
    return image;
}

// The pixel's colour as 00BBGGRR.
inline TColor PixelAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// The smallest rectangle holding every pixel inside `area` whose colour is not `background`
// (an empty rectangle when there is none).
inline QRect InkBounds(const QImage& image, TColor background, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (PixelAt(image, x, y) != ColorToRGB(background))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline QRect InkBounds(const QImage& image, TColor background) {
    return InkBounds(image, background, image.rect());
}
