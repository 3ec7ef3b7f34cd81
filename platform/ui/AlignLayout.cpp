#include "platform/ui/AlignLayout.h"

#include <QEvent>
#include <QWidget>

AlignLayout::AlignLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(SetNoConstraint);
}

AlignLayout::~AlignLayout() {
    for (const Aligned& aligned : items_)
        delete aligned.item;
}

void AlignLayout::Add(QWidget* widget, Align side) {
    addChildWidget(widget);
    items_.push_back({new QWidgetItem(widget), side});
    widget->installEventFilter(this);
    invalidate();
}

void AlignLayout::addItem(QLayoutItem* item) {
    items_.push_back({item, Align::Client});
}

int AlignLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* AlignLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)].item : nullptr;
}

QLayoutItem* AlignLayout::takeAt(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)].item;
    items_.erase(items_.begin() + index);
    return item;
}

QSize AlignLayout::sizeHint() const {
    return {};
}

void AlignLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    QRect free = rect;
    for (const Aligned& aligned : Visible(Align::Top)) {
        const int height = aligned.item->geometry().height();
        aligned.item->setGeometry(QRect(free.left(), free.top(), free.width(), height));
        free.setTop(free.top() + height);
    }
    for (const Aligned& aligned : Visible(Align::Bottom)) {
        const int height = aligned.item->geometry().height();
        aligned.item->setGeometry(
            QRect(free.left(), free.bottom() + 1 - height, free.width(), height));
        free.setBottom(free.bottom() - height);
    }
    for (const Aligned& aligned : Visible(Align::Client))
        aligned.item->setGeometry(free);
}

bool AlignLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        setGeometry(parentWidget()->contentsRect());
    return QLayout::eventFilter(watched, event);
}

std::vector<AlignLayout::Aligned> AlignLayout::Visible(Align side) const {
    std::vector<Aligned> result;
    for (const Aligned& aligned : items_) {
        if (aligned.side == side && !aligned.item->isEmpty())
            result.push_back(aligned);
    }
    return result;
}
