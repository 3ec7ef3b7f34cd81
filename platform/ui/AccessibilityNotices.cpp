#include "platform/ui/AccessibilityNotices.h"

#include <QAccessible>

#include <utility>

namespace {

AccessibilityListener& Listener() {
    static AccessibilityListener listener;
    return listener;
}

} // namespace

void NotifyAccessibility(QAccessibleEvent& event) {
    if (Listener())
        Listener()(event);
    QAccessible::updateAccessibility(&event);
}

AccessibilityListener SetAccessibilityListener(AccessibilityListener listener) {
    return std::exchange(Listener(), std::move(listener));
}
