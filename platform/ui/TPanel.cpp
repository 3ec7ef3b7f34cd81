#include "platform/ui/TPanel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <qdrawutil.h>

TPanel::TPanel(QWidget* parent) : QWidget(parent), color_(palette().color(QPalette::Button)) {
}

void TPanel::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    // Raised: light on the top and left edges, shadow on the bottom and right.
    qDrawShadePanel(&painter, rect(), palette(), false, 1, nullptr);
}

void TPanel::contextMenuEvent(QContextMenuEvent* event) {
    if (!popupMenu_) {
        event->ignore();
        return;
    }
    popupMenu_->popup(event->globalPos());
    event->accept();
}
