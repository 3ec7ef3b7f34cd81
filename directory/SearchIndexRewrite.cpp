#include "directory/SearchIndexRewrite.h"

#include "directory/SearchIndexSchema.h"
#include "directory/SearchStatement.h"

#include <QStringList>

#include <optional>

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

QString WithSearchIndex(const QString& sql, const std::function<bool()>& indexCoversTable) {
    const std::optional<SearchStatement> search = ParseSearchStatement(sql);
    if (!search || !search->condition) {
        return sql;
    }
    const SearchStatement::Condition& condition = *search->condition;
    const QString query = TrigramQuery(condition.pattern);
    if (query.isEmpty() || !indexCoversTable()) {
        return sql;
    }
    const QString table = search_index::TrigramTable(condition.column);
    const QString narrowed =
        QStringLiteral(" AND tel.rowid IN (SELECT rowid FROM main.%1 WHERE %1 MATCH %2 "
                       "UNION ALL SELECT ID FROM main.%3)")
            .arg(table, Literal(query), QLatin1String(search_index::kRestTable));
    QString rewritten = sql;
    rewritten.insert(condition.patternEnd, narrowed);
    return rewritten;
}
