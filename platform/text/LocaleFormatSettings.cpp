#include "platform/text/LocaleFormatSettings.h"

#include "platform/text/Windows1251.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

namespace {

// The first character of a symbol as the 8-bit code page holds it, or the fallback.
QChar firstCharacter(const QString& symbol, QChar fallback) {
    if (symbol.isEmpty())
        return fallback;
    const QString roundTrip = FromWindows1251(ToWindows1251(QStringView(symbol).left(1)));
    return roundTrip.isEmpty() ? fallback : roundTrip.front();
}

void readUserSettings() {
    SetCurrentFormatSettings(FormatSettingsOf(QLocale::system()));
}

} // namespace

FormatSettings FormatSettingsOf(const QLocale& locale) {
    return {firstCharacter(locale.decimalPoint(), u'.'),
            firstCharacter(locale.groupSeparator(), u',')};
}

LocaleSettingsWatcher::LocaleSettingsWatcher(QObject* parent) : QObject(parent) {
    readUserSettings();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool LocaleSettingsWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LocaleChange)
        readUserSettings();
    return QObject::eventFilter(watched, event);
}
