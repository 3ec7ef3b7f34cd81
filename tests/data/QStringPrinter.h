#pragma once

#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

// Qt text as test failure messages show it, with CR and LF written as \r and \n.
inline std::string Printable(const QString& text) {
    QString shown = text;
    shown.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
    return shown.toStdString();
}

inline void PrintTo(const QString& text, std::ostream* stream) {
    *stream << '"' << Printable(text) << '"';
}

// Shows a list of texts one per line.
inline void PrintTo(const QStringList& texts, std::ostream* stream) {
    *stream << "{\n";
    for (const QString& text : texts) {
        *stream << "  \"" << Printable(text) << "\"\n";
    }
    *stream << '}';
}
