#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include <exception>

class QPaintEvent;

// The picture control. It holds a JPEG picture as the program carries it (the file's bytes)
// and decodes it only when the control is first painted. With Stretch on, the picture fills the
// whole control, aspect ratio not kept, and Center has no effect; with Stretch off it is drawn
// at its own size in the top-left corner, or in the middle when Center is on.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    // Takes the JPEG bytes from a resource (":/pictures/town.jpg") or file path, dropping any
    // picture held before. Throws EFOpenError when the path cannot be read.
    void LoadJpeg(const QString& resourcePath);

    void SetStretch(bool stretch);
    bool Stretch() const { return stretch_; }
    void SetCenter(bool center);
    bool Center() const { return center_; }

    // Whether the picture has been decoded; a freshly loaded picture is not, until painted.
    bool IsDecoded() const { return decoded_; }

    // The decoded picture, decoding it now if no paint has done so yet; a null image when no
    // picture is loaded. Throws Exception when the bytes are not a sound JPEG picture.
    const QImage& Picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool DecodeForPaint() noexcept;
    QRect TargetRect() const;

    QByteArray jpeg_;
    QImage picture_;
    bool decoded_ = false;
    bool failed_ = false;
    bool stretch_ = false;
    bool center_ = false;
};
