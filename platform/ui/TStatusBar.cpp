#include "platform/ui/TStatusBar.h"

#include "platform/ui/AccessibilityNotices.h"
#include "platform/ui/TStatusBarAccessible.h"

#include <QAccessible>
#include <QPainter>
#include <qdrawutil.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr int TextMargin = 2;

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&TStatusBarAccessible::Factory);
        return true;
    }();
    (void)factoryInstalled;
}

void TStatusBar::AddPanel(const QString& text, int width) {
    panels_.push_back({text, width});
    update();
}

const TStatusBar::Panel& TStatusBar::PanelAt(int index) const {
    if (index < 0 || index >= PanelCount())
        throw std::out_of_range("status bar panel index out of range");
    return panels_[static_cast<std::size_t>(index)];
}

TStatusBar::Panel& TStatusBar::PanelAt(int index) {
    return const_cast<Panel&>(std::as_const(*this).PanelAt(index));
}

QString TStatusBar::PanelText(int index) const {
    return PanelAt(index).text;
}

void TStatusBar::SetPanelText(int index, const QString& text) {
    PanelAt(index).text = text;
    update(PanelRect(index));
    // Told even when the text stays: a new search that finds as many entries as the last one
    // is news too.
    AnnounceText(index);
}

void TStatusBar::AnnounceText(int index) {
    // The panel's new text, and the bar's name, which holds every panel's text.
    QAccessibleEvent panelChanged(this, QAccessible::NameChanged);
    panelChanged.setChild(index);
    NotifyAccessibility(panelChanged);
    QAccessibleEvent barChanged(this, QAccessible::NameChanged);
    NotifyAccessibility(barChanged);
}

QRect TStatusBar::PanelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += PanelAt(i).width;
    const int width =
        PanelAt(index).width == ToRightEdge ? this->width() - left : PanelAt(index).width;
    return QRect(left, 0, width, height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < PanelCount(); ++i) {
        const QRect frame = PanelRect(i).adjusted(0, 2, -2, 0);
        qDrawShadePanel(&painter, frame, palette(), true, 1, nullptr);
        const QRect text = frame.adjusted(TextMargin + 1, 1, -TextMargin, -1);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         PanelAt(i).text);
    }
}
