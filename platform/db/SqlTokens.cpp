#include "platform/db/SqlTokens.h"

namespace {

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

// The end of a quoted part that starts at begin, closed by `close`; a doubled close stands
// for one character.
qsizetype QuotedEnd(const QString& sql, qsizetype begin, QChar close) {
    qsizetype i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

// The end of the comment that starts at begin, or begin when none starts there.
qsizetype CommentEnd(const QString& sql, qsizetype begin) {
    const QStringView rest = QStringView(sql).mid(begin);
    if (rest.startsWith(u"--")) {
        const qsizetype end = sql.indexOf(u'\n', begin);
        return end < 0 ? sql.size() : end + 1;
    }
    if (rest.startsWith(u"/*")) {
        const qsizetype end = sql.indexOf(u"*/", begin + 2);
        return end < 0 ? sql.size() : end + 2;
    }
    return begin;
}

} // namespace

std::vector<SqlToken> TokenizeSql(const QString& sql) {
    std::vector<SqlToken> tokens;
    int depth = 0;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (const qsizetype comment = CommentEnd(sql, i); comment != i) {
            i = comment;
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const qsizetype end = QuotedEnd(sql, i, c == u'[' ? QChar(u']') : c);
            tokens.push_back({SqlToken::Kind::Quoted, i, end, depth});
            i = end;
        } else if (IsWordChar(c)) {
            qsizetype end = i + 1;
            while (end < sql.size() && IsWordChar(sql[end])) {
                ++end;
            }
            tokens.push_back({SqlToken::Kind::Word, i, end, depth});
            i = end;
        } else {
            // Parentheses stand at the depth of what they enclose.
            depth += c == u'(' ? 1 : 0;
            tokens.push_back({SqlToken::Kind::Symbol, i, i + 1, depth});
            depth -= c == u')' ? 1 : 0;
            ++i;
        }
    }
    return tokens;
}
