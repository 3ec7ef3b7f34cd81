#pragma once

#include <functional>

class QAccessibleEvent;

// Every accessibility event the program's own controls send (the grid, the status bar) passes
// here on its way to Qt, which hands it to assistive technology while one listens. A listener
// installed here hears each event first, whether or not assistive technology listens: tests
// install one, as they install a scripted dialog service, since Qt's offscreen platform has no
// accessibility of its own and drops every event.
void NotifyAccessibility(QAccessibleEvent& event);

using AccessibilityListener = std::function<void(QAccessibleEvent& event)>;
// Installs the listener (none: an empty function) and returns the one it replaces.
AccessibilityListener SetAccessibilityListener(AccessibilityListener listener);
