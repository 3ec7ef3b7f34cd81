#pragma once

#include <QString>

// A name quoted for SQL text: "name", with each " inside doubled.
inline QString QuotedIdentifier(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}
