#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG picture held in memory with libjpeg into an image of format RGB888 (grey
// pictures are widened to RGB). Throws Exception when the data is not a complete, sound JPEG
// picture (corrupt, truncated, empty, an unsupported colour model) or is too large to hold; no
// half-decoded picture is ever returned.
QImage DecodeJpegPicture(const QByteArray& bytes);
