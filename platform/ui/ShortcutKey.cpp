#include "platform/ui/ShortcutKey.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// Whether Qt already reports the key by its United States meaning: a function or navigation
// key, or a printable character of the ASCII range.
bool LayoutIndependent(int key) {
    return key < 0x80 || key >= Qt::Key_Escape;
}

// The keys of the letter rows that shortcuts use, by their X11 key codes (evdev numbering,
// the same for every layout).
int KeyOfX11KeyCode(quint32 code) {
    switch (code) {
    case 38:
        return Qt::Key_A;
    case 54:
        return Qt::Key_C;
    case 41:
        return Qt::Key_F;
    case 55:
        return Qt::Key_V;
    case 53:
        return Qt::Key_X;
    case 48:
        return Qt::Key_Apostrophe;
    default:
        return 0;
    }
}

} // namespace

int ShortcutKey(const QKeyEvent& event) {
    const int key = event.key();
    if (LayoutIndependent(key) || QGuiApplication::platformName() != QLatin1String("xcb"))
        return key;
    const int physical = KeyOfX11KeyCode(event.nativeScanCode());
    return physical != 0 ? physical : key;
}
