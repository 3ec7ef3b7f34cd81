#include "platform/db/ConnectionString.h"

#include "platform/db/ProviderError.h"

namespace {

[[noreturn]] void Malformed(const QString& text, const QString& reason) {
    throw ProviderError(
        QStringLiteral("The connection string '%1' is not valid: %2.").arg(text, reason));
}

// Reads a quoted value starting at text[i] (the quote); leaves i after the closing quote.
QString QuotedValue(const QString& text, qsizetype& i) {
    const QChar quote = text[i++];
    QString value;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                value += quote;
                i += 2;
                continue;
            }
            ++i;
            return value;
        }
        value += text[i++];
    }
    Malformed(text, QStringLiteral("a quoted value is not closed"));
}

} // namespace

ConnectionString::ConnectionString(const QString& text) {
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype equals = text.indexOf(u'=', i);
        const qsizetype semicolon = text.indexOf(u';', i);
        if (semicolon == i || text.mid(i, semicolon < 0 ? -1 : semicolon - i).trimmed().isEmpty()) {
            i = semicolon < 0 ? text.size() : semicolon + 1; // an empty pair
            continue;
        }
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            Malformed(text, QStringLiteral("'%1' has no '='")
                                .arg(text.mid(i, semicolon < 0 ? -1 : semicolon - i).trimmed()));
        }
        const QString key = text.mid(i, equals - i).trimmed();
        i = equals + 1;
        while (i < text.size() && text[i].isSpace()) {
            ++i;
        }
        QString value;
        if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
            value = QuotedValue(text, i);
            while (i < text.size() && text[i] != u';') {
                if (!text[i].isSpace()) {
                    Malformed(text,
                              QStringLiteral("text follows the quoted value of '%1'").arg(key));
                }
                ++i;
            }
        } else {
            const qsizetype end = text.indexOf(u';', i);
            value = text.mid(i, end < 0 ? -1 : end - i).trimmed();
            i = end < 0 ? text.size() : end;
        }
        pairs_.emplace_back(key, value);
        ++i; // past the ";"
    }
}

std::optional<QString> ConnectionString::value(const QString& key) const {
    for (auto pair = pairs_.rbegin(); pair != pairs_.rend(); ++pair) {
        if (pair->first.compare(key, Qt::CaseInsensitive) == 0) {
            return pair->second;
        }
    }
    return std::nullopt;
}

QString ConnectionString::quoted(const QString& value) {
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}
