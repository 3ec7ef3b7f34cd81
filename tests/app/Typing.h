#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types the text into the widget one character at a time, as the keyboard would; unlike
// QTest::keyClicks it takes any letters, Cyrillic ones included. A letter's key is its upper
// case code, as Qt reports keys.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        const auto key = static_cast<Qt::Key>(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(character), Qt::NoModifier);
    }
}
