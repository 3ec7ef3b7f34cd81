#include "tests/support/AccessibleEventLog.h"

#include <gtest/gtest.h>

AccessibleEventLog::AccessibleEventLog() {
    previous_ = SetAccessibilityListener([this](QAccessibleEvent& event) {
        Event recorded{event.type(), event.object(), event.child()};
        if (event.type() == QAccessible::TableModelChanged)
            recorded.modelChange =
                static_cast<QAccessibleTableModelChangeEvent&>(event).modelChangeType();
        events_.push_back(recorded);
    });
}

AccessibleEventLog::~AccessibleEventLog() {
    SetAccessibilityListener(previous_);
}

std::vector<AccessibleEventLog::Event> AccessibleEventLog::of(const QObject* object,
                                                              QAccessible::Event type) const {
    std::vector<Event> found;
    for (const Event& event : events_) {
        if (event.object == object && event.type == type)
            found.push_back(event);
    }
    return found;
}

QAccessibleInterface* AccessibleOf(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr);
    return iface;
}
