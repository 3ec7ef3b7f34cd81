#pragma once

#include <QToolButton>

class QColor;

// A button showing its caption in its own font; a flat one shows its frame only while the mouse
// is over it. A click does not take the keyboard focus; Tab does, so the keyboard can press it.
class TSpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit TSpeedButton(const QString& caption, QWidget* parent = nullptr);

    bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }

    // The colour of the caption.
    void SetFontColor(const QColor& color);
};
