#pragma once

class QKeyEvent;

// The key a Ctrl shortcut names, the same whichever keyboard layout is active: with a Cyrillic
// layout the key that types F on a United States layout still gives Qt::Key_F, and the key
// that types the apostrophe there still gives Qt::Key_Apostrophe. Other keys come back as Qt
// reports them.
int ShortcutKey(const QKeyEvent& event);
