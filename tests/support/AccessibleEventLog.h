#pragma once

#include "platform/ui/AccessibilityNotices.h"

#include <QAccessible>
#include <QObject>
#include <QPointer>

#include <vector>

// What a screen reader would be told: records every accessibility event the program's own
// controls send, until it goes out of scope.
class AccessibleEventLog {
public:
    struct Event {
        QAccessible::Event type;
        QPointer<QObject> object;
        int child = -1;
        // For a table model change: its kind.
        int modelChange = -1;
    };

    AccessibleEventLog();
    ~AccessibleEventLog();
    AccessibleEventLog(const AccessibleEventLog&) = delete;
    AccessibleEventLog& operator=(const AccessibleEventLog&) = delete;

    // The events of a kind sent for the object, in order.
    std::vector<Event> of(const QObject* object, QAccessible::Event type) const;
    void clear() { events_.clear(); }

private:
    std::vector<Event> events_;
    AccessibilityListener previous_;
};

// The interface Qt gives assistive technology for the object; never null in a passing test.
QAccessibleInterface* AccessibleOf(QObject* object);
