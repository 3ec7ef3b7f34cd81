#include "platform/ui/TSpeedButton.h"

#include <QColor>
#include <QPalette>

TSpeedButton::TSpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Tab reaches it, so the keyboard can press it (Space); a click leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
}

void TSpeedButton::SetFontColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, color);
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}
