#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// A command text with its parameter markers replaced.
struct ParameterCheckResult {
    QString text;        // the text for the provider: each marker became "?"
    QStringList markers; // the names of the markers, in text order
};

// Scans a command text once. Outside a quoted literal (apostrophes, double quotes or
// backquotes; a literal ends at the next quote of the kind that opened it), "::" becomes ":"
// and ":name" becomes "?", the name running up to a space, comma, semicolon, closing
// parenthesis, CR, LF or the end of the text. A name that begins with a quote character is
// recorded without its quotes. A colon with no name after it is kept as it is. Literals pass
// unchanged.
ParameterCheckResult CheckParameters(QStringView text);
