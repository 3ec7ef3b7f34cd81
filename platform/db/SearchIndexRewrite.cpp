#include "platform/db/SearchIndexRewrite.h"

#include "platform/db/SearchIndexSchema.h"
#include "platform/db/SqlTokens.h"

#include <QStringList>

#include <sqlite3.h>

#include <optional>
#include <vector>

namespace {

// The fewest characters a run needs: FTS5's trigrams find nothing shorter.
constexpr qsizetype kShortestRun = 3;

// A character of a run: indexable, and no wildcard.
bool IsIndexable(QChar c) {
    return c != u'%' && c != u'_' && !c.isSurrogate() &&
           search_index::IsIndexableCharacter(c.unicode());
}

// The longest run of indexable characters in the pattern.
QString LongestRun(const QString& pattern) {
    qsizetype bestStart = 0, bestLength = 0, start = 0;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i < pattern.size() && IsIndexable(pattern[i])) {
            continue;
        }
        if (i - start > bestLength) {
            bestStart = start;
            bestLength = i - start;
        }
        start = i + 1;
    }
    return pattern.mid(bestStart, bestLength);
}

// One trigram as an FTS5 string: in double quotes, a double quote doubled.
QString Phrase(QStringView trigram) {
    QString phrase = trigram.toString();
    phrase.replace(u'"', QStringLiteral("\"\""));
    return u'"' + phrase + u'"';
}

// The SQL string literal of a text.
QString Literal(QString text) {
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// A string literal token's text.
QString Unquoted(QStringView literal) {
    QString text = literal.sliced(1, literal.size() - 2).toString();
    return text.replace(QStringLiteral("''"), QStringLiteral("'"));
}

// What a recognised search statement asks for.
struct Search {
    QString column;     // as the index names it
    QString pattern;    // the LIKE pattern
    qsizetype insertAt; // just after the pattern's literal
};

class SearchShape {
public:
    explicit SearchShape(const QString& sql) : sql_(sql), tokens_(TokenizeSql(sql)) {}

    std::optional<Search> recognise() {
        for (const SqlToken& token : tokens_) {
            if (token.depth != 0) {
                return std::nullopt; // subqueries, functions: not a plain search
            }
        }
        std::size_t t = 0;
        if (!word(t, u"SELECT")) {
            return std::nullopt;
        }
        while (t < tokens_.size() && !word(t, u"FROM")) {
            ++t;
        }
        if (t == tokens_.size() || !word(++t, u"tel") || !word(++t, u"WHERE")) {
            return std::nullopt;
        }
        ++t;
        if (t + 2 < tokens_.size() && word(t, u"tel") && symbol(t + 1, u'.')) {
            t += 2;
        }
        const std::optional<QString> column = indexedColumn(t);
        if (!column || !word(++t, u"LIKE") || !stringLiteral(++t)) {
            return std::nullopt;
        }
        const SqlToken& literal = tokens_[t];
        if (!endsCondition(t + 1)) {
            return std::nullopt;
        }
        return Search{*column, Unquoted(text(literal)), literal.end};
    }

private:
    QStringView text(const SqlToken& token) const {
        return QStringView(sql_).sliced(token.begin, token.end - token.begin);
    }
    bool word(std::size_t t, QStringView expected) const {
        return t < tokens_.size() && tokens_[t].kind == SqlToken::Kind::Word &&
               text(tokens_[t]).compare(expected, Qt::CaseInsensitive) == 0;
    }
    bool symbol(std::size_t t, QChar expected) const {
        return t < tokens_.size() && tokens_[t].kind == SqlToken::Kind::Symbol &&
               sql_[tokens_[t].begin] == expected;
    }
    bool stringLiteral(std::size_t t) const {
        return t < tokens_.size() && tokens_[t].kind == SqlToken::Kind::Quoted &&
               sql_[tokens_[t].begin] == u'\'' && tokens_[t].end - tokens_[t].begin >= 2 &&
               sql_[tokens_[t].end - 1] == u'\'';
    }
    std::optional<QString> indexedColumn(std::size_t t) const {
        for (const QString& column : search_index::IndexedColumns()) {
            if (word(t, column)) {
                return column;
            }
        }
        return std::nullopt;
    }
    // The condition ends at t: the text's end, a closing semicolon or ORDER BY.
    bool endsCondition(std::size_t t) const {
        if (t == tokens_.size()) {
            return true;
        }
        if (symbol(t, u';')) {
            return t + 1 == tokens_.size();
        }
        return word(t, u"ORDER") && word(t + 1, u"BY");
    }

    const QString& sql_;
    std::vector<SqlToken> tokens_;
};

} // namespace

QString TrigramQuery(const QString& pattern) {
    const QString run = LongestRun(pattern);
    if (run.size() < kShortestRun) {
        return {};
    }
    // Trigrams that cover every character of the run once, and the last one.
    QStringList phrases;
    for (qsizetype at = 0; at + kShortestRun <= run.size(); at += kShortestRun) {
        phrases << Phrase(QStringView(run).sliced(at, kShortestRun));
    }
    if (run.size() % kShortestRun != 0) {
        phrases << Phrase(QStringView(run).sliced(run.size() - kShortestRun));
    }
    return phrases.join(QStringLiteral(" AND "));
}

QString WithSearchIndex(sqlite3* connection, const QString& sql) {
    const std::optional<Search> search = SearchShape(sql).recognise();
    if (!search) {
        return sql;
    }
    const QString query = TrigramQuery(search->pattern);
    if (query.isEmpty() || !search_index::HoldsSearchIndex(connection)) {
        return sql;
    }
    const QString table = search_index::TrigramTable(search->column);
    const QString condition =
        QStringLiteral(" AND tel.rowid IN (SELECT rowid FROM main.%1 WHERE %1 MATCH %2 "
                       "UNION ALL SELECT ID FROM main.%3)")
            .arg(table, Literal(query), QLatin1String(search_index::kRestTable));
    QString rewritten = sql;
    rewritten.insert(search->insertAt, condition);
    return rewritten;
}
