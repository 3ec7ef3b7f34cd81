#include "platform/ui/TImage.h"

#include "platform/Exceptions.h"
#include "platform/ui/ApplicationErrorReport.h"
#include "platform/ui/JpegPicture.h"

#include <QFile>
#include <QMetaObject>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {
}

void TImage::LoadJpeg(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(resourcePath, file.errorString()));
    jpeg_ = file.readAll();
    picture_ = QImage();
    decoded_ = false;
    failed_ = false;
    update();
}

void TImage::SetStretch(bool stretch) {
    if (stretch_ == stretch)
        return;
    stretch_ = stretch;
    update();
}

void TImage::SetCenter(bool center) {
    if (center_ == center)
        return;
    center_ = center;
    update();
}

const QImage& TImage::Picture() {
    if (!decoded_ && !jpeg_.isEmpty()) {
        picture_ = DecodeJpegPicture(jpeg_);
        decoded_ = true;
    }
    return picture_;
}

// A paint must not throw into Qt. A picture that cannot be decoded leaves the control empty,
// is not tried again, and its error is shown once in the application error report after the
// paint has finished (a modal box inside a paint event would nest painting).
bool TImage::DecodeForPaint() noexcept {
    if (failed_)
        return false;
    try {
        return !Picture().isNull();
    } catch (...) {
        failed_ = true;
        QMetaObject::invokeMethod(
            this, [error = std::current_exception()] { ReportException(error); },
            Qt::QueuedConnection);
        return false;
    }
}

QRect TImage::TargetRect() const {
    if (stretch_)
        return rect();
    QRect target(QPoint(0, 0), picture_.size());
    if (center_)
        target.moveTopLeft(
            QPoint((width() - target.width()) / 2, (height() - target.height()) / 2));
    return target;
}

void TImage::paintEvent(QPaintEvent*) {
    if (!DecodeForPaint())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(TargetRect(), picture_);
}
