#include "platform/ui/TStatusBar.h"

#include <QPainter>
#include <qdrawutil.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr int TextMargin = 2;

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
}

void TStatusBar::addPanel(const QString& text, int width) {
    panels_.push_back({text, width});
    update();
}

const TStatusBar::Panel& TStatusBar::panel(int index) const {
    if (index < 0 || index >= panelCount())
        throw std::out_of_range("status bar panel index out of range");
    return panels_[static_cast<std::size_t>(index)];
}

TStatusBar::Panel& TStatusBar::panel(int index) {
    return const_cast<Panel&>(std::as_const(*this).panel(index));
}

QString TStatusBar::panelText(int index) const {
    return panel(index).text;
}

void TStatusBar::setPanelText(int index, const QString& text) {
    panel(index).text = text;
    update(panelRect(index));
}

QRect TStatusBar::panelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += panel(i).width;
    const int width = panel(index).width == ToRightEdge ? this->width() - left : panel(index).width;
    return QRect(left, 0, width, height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < panelCount(); ++i) {
        const QRect frame = panelRect(i).adjusted(0, 2, -2, 0);
        qDrawShadePanel(&painter, frame, palette(), true, 1, nullptr);
        const QRect text = frame.adjusted(TextMargin + 1, 1, -TextMargin, -1);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         panel(i).text);
    }
}
