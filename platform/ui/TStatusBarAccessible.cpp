#include "platform/ui/TStatusBarAccessible.h"

#include "platform/ui/TStatusBar.h"

#include <QPointer>
#include <QStringList>

namespace {

// One panel of the bar: static text, named by its text.
class PanelAccessible : public QAccessibleInterface {
public:
    PanelAccessible(TStatusBar* bar, int index) : bar_(bar), index_(index) {}

    bool isValid() const override { return bar_ != nullptr && index_ < bar_->PanelCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return bar_ != nullptr ? bar_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        // The text is the name only: a value repeating it would be spoken twice.
        if (!isValid() || t != QAccessible::Name)
            return {};
        return bar_->PanelText(index_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = bar_->PanelRect(index_);
        return QRect(bar_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invalid = !isValid();
        return state;
    }

private:
    QPointer<TStatusBar> bar_;
    int index_;
};

} // namespace

TStatusBarAccessible::TStatusBarAccessible(TStatusBar* bar)
    : QAccessibleWidget(bar, QAccessible::StatusBar) {
}

TStatusBarAccessible::~TStatusBarAccessible() {
    for (const QAccessible::Id id : std::as_const(panels_))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TStatusBarAccessible::Factory(const QString& className, QObject* object) {
    if (className == QLatin1StringView("TStatusBar") && object != nullptr && object->isWidgetType())
        return new TStatusBarAccessible(static_cast<TStatusBar*>(object));
    return nullptr;
}

TStatusBar* TStatusBarAccessible::Bar() const {
    return static_cast<TStatusBar*>(widget());
}

QString TStatusBarAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    QStringList texts;
    for (int i = 0; i < Bar()->PanelCount(); ++i)
        texts.append(Bar()->PanelText(i));
    return texts.join(QLatin1Char(' '));
}

int TStatusBarAccessible::childCount() const {
    return Bar()->PanelCount();
}

QAccessibleInterface* TStatusBarAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto found = panels_.constFind(index); found != panels_.cend())
        return QAccessible::accessibleInterface(*found);
    auto* panel = new PanelAccessible(Bar(), index);
    panels_.insert(index, QAccessible::registerAccessibleInterface(panel));
    return panel;
}

int TStatusBarAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (auto it = panels_.cbegin(); it != panels_.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return -1;
}

QAccessibleInterface* TStatusBarAccessible::childAt(int x, int y) const {
    const QPoint point = Bar()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
        if (Bar()->PanelRect(i).contains(point))
            return child(i);
    }
    return nullptr;
}
