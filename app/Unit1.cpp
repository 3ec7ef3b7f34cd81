#include "app/Unit1.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// A thin-framed tool window with only a close button; it cannot be resized.
constexpr Qt::WindowFlags ToolWindowFlags = Qt::Tool | Qt::CustomizeWindowHint |
                                            Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                            Qt::MSWindowsFixedSizeDialogHint;

void centreOnDesktop(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

TMenu::TMenu(QWidget* parent) : QWidget(parent, ToolWindowFlags) {
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("Телефонный справочник г. Вельтинска 2006"));
    setFixedSize(ClientWidth, ClientHeight);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    centreOnDesktop(*this);
}
