#include "platform/ui/TSpeedButton.h"

#include <QColor>
#include <QPalette>

TSpeedButton::TSpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::NoFocus);
}

void TSpeedButton::SetFontColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, color);
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}
