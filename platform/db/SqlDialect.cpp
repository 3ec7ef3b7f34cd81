#include "platform/db/SqlDialect.h"

#include "platform/db/SqliteStatement.h"

#include "platform/text/LikePattern.h"
#include "platform/db/PlainNumberText.h"
#include "platform/text/RussianCollator.h"
#include "platform/db/SqliteError.h"
#include "platform/db/SqlTokens.h"

#include <sqlite3.h>
#include <unicode/utf8.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A compiled pattern kept with the statement while its pattern argument stays the same.
struct LikeCache {
    std::string pattern;
    char32_t escape = 0;
    LikePattern compiled;
};

// The escape argument's one character, or false when it is not exactly one character.
bool EscapeCharacter(sqlite3_value* value, char32_t& escape) {
    const auto* text = sqlite3_value_text(value);
    const int bytes = sqlite3_value_bytes(value);
    if (text == nullptr || bytes == 0) {
        return false;
    }
    int offset = 0;
    UChar32 c = 0;
    U8_NEXT(text, offset, bytes, c);
    escape = static_cast<char32_t>(c);
    return c > 0 && offset == bytes;
}

void DeleteLikeCache(void* cache) {
    delete static_cast<LikeCache*>(cache);
}

// like(pattern, value[, escape]): NULL when an argument is NULL, else 1 or 0.
void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3 && !EscapeCharacter(argv[2], escape)) {
        sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
        return;
    }
    std::optional<PlainNumberText> patternNumber, valueNumber;
    const std::string_view pattern = LikeText(argv[0], patternNumber);
    const std::string_view value = LikeText(argv[1], valueNumber);
    auto* cache = static_cast<LikeCache*>(sqlite3_get_auxdata(context, 0));
    if (cache != nullptr && cache->escape == escape && cache->pattern == pattern) {
        sqlite3_result_int(context, cache->compiled.matches(value) ? 1 : 0);
        return;
    }
    auto fresh = std::make_unique<LikeCache>(
        LikeCache{std::string(pattern), escape, LikePattern(pattern, escape)});
    sqlite3_result_int(context, fresh->compiled.matches(value) ? 1 : 0);
    // SQLite may destroy the cache at once, so it is handed over only after its last use.
    sqlite3_set_auxdata(context, 0, fresh.release(), DeleteLikeCache);
}

int CompareRussian(void* collator, int firstBytes, const void* first, int secondBytes,
                   const void* second) {
    return static_cast<const RussianCollator*>(collator)->compare(
        std::string_view(static_cast<const char*>(first), static_cast<std::size_t>(firstBytes)),
        std::string_view(static_cast<const char*>(second), static_cast<std::size_t>(secondBytes)));
}

void DeleteCollator(void* collator) {
    delete static_cast<RussianCollator*>(collator);
}

// ru_sortkey(value): a value that sorts in plain SQLite order as the value sorts under
// RU_NOCASE. NULL and numbers stay as they are (they sort before texts under any collation);
// a text becomes 0x01 followed by its ICU sort key, a blob 0x02 followed by its bytes, so that
// texts sort before blobs and blobs by their bytes, as they do under a collation.
void RussianSortKeyFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_value* value = argv[0];
    const int type = sqlite3_value_type(value);
    if (type != SQLITE_TEXT && type != SQLITE_BLOB) {
        sqlite3_result_value(context, value);
        return;
    }
    std::string key;
    if (type == SQLITE_TEXT) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value));
        key.push_back('\x01');
        static_cast<const RussianCollator*>(sqlite3_user_data(context))
            ->appendSortKey(std::string_view(text != nullptr ? text : "", bytes), key);
    } else {
        const auto* blob = static_cast<const char*>(sqlite3_value_blob(value));
        const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value));
        key.push_back('\x02');
        key.append(blob != nullptr ? blob : "", bytes);
    }
    sqlite3_result_blob64(context, key.data(), key.size(), SQLITE_TRANSIENT);
}

// A term of the outermost ORDER BY clause that has no collation of its own.
struct OrderTerm {
    qsizetype begin;
    qsizetype end;  // of the expression, before ASC, DESC or NULLS
    bool plainName; // the expression is a column name (city, t.city, "city")
};

// Finds the terms of the outermost ORDER BY clause.
class OrderByScan {
public:
    explicit OrderByScan(const QString& sql) : sql_(sql), tokens_(TokenizeSql(sql)) {}

    // Whether a name in ORDER BY surely names a column of the tables: the statement is one
    // SELECT whose result columns have no alias a name could mean instead.
    bool namesAreColumns() const {
        std::size_t t = 0;
        if (tokens_.empty() || !isWord(0, u"SELECT")) {
            return false;
        }
        bool previousWasName = false;
        for (t = 1; t < tokens_.size() && !isWord(t, u"FROM"); ++t) {
            const bool name = tokens_[t].depth == 0 && !isWord(t, u"DISTINCT") &&
                              !isWord(t, u"ALL") &&
                              (tokens_[t].kind == SqlToken::Kind::Word ||
                               tokens_[t].kind == SqlToken::Kind::Quoted);
            if (isWord(t, u"AS") || (name && previousWasName)) {
                return false;
            }
            previousWasName = name;
        }
        for (; t < tokens_.size(); ++t) {
            if (isWord(t, u"UNION") || isWord(t, u"INTERSECT") || isWord(t, u"EXCEPT")) {
                return false;
            }
        }
        return true;
    }

    std::vector<OrderTerm> terms() {
        std::size_t t = clauseStart();
        while (t < tokens_.size()) {
            const std::size_t termStart = t;
            while (t < tokens_.size() && !endsTerm(t)) {
                ++t;
            }
            addTerm(termStart, t);
            if (t >= tokens_.size() || !isSymbol(t, u',')) {
                break;
            }
            ++t;
        }
        return terms_;
    }

private:
    bool isName(std::size_t t) const {
        const SqlToken& token = tokens_[t];
        if (token.depth != 0) {
            return false;
        }
        if (token.kind == SqlToken::Kind::Quoted) {
            return sql_[token.begin] != u'\'';
        }
        return token.kind == SqlToken::Kind::Word && !sql_[token.begin].isDigit();
    }
    // The tokens [begin, end) are a column name, with or without its table.
    bool isColumnName(std::size_t begin, std::size_t end) const {
        if (end - begin == 1) {
            return isName(begin);
        }
        return end - begin == 3 && isName(begin) && isSymbol(begin + 1, u'.') && isName(begin + 2);
    }
    bool isWord(std::size_t t, QStringView word) const {
        const SqlToken& token = tokens_[t];
        return token.kind == SqlToken::Kind::Word && token.depth == 0 &&
               QStringView(sql_)
                       .sliced(token.begin, token.end - token.begin)
                       .compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(std::size_t t, QChar symbol) const {
        const SqlToken& token = tokens_[t];
        return token.kind == SqlToken::Kind::Symbol && token.depth == 0 &&
               sql_[token.begin] == symbol;
    }
    bool endsTerm(std::size_t t) const {
        return isSymbol(t, u',') || isSymbol(t, u';') || isSymbol(t, u')') || isWord(t, u"LIMIT");
    }
    // The token after the first top-level "ORDER BY", or the end when there is none.
    std::size_t clauseStart() const {
        for (std::size_t t = 0; t + 1 < tokens_.size(); ++t) {
            if (isWord(t, u"ORDER") && isWord(t + 1, u"BY")) {
                return t + 2;
            }
        }
        return tokens_.size();
    }
    void addTerm(std::size_t begin, std::size_t end) {
        for (std::size_t t = begin; t < end; ++t) {
            if (isWord(t, u"COLLATE")) {
                return;
            }
        }
        std::size_t last = end;
        if (last - begin >= 2 && isWord(last - 2, u"NULLS") &&
            (isWord(last - 1, u"FIRST") || isWord(last - 1, u"LAST"))) {
            last -= 2;
        }
        if (last > begin && (isWord(last - 1, u"ASC") || isWord(last - 1, u"DESC"))) {
            last -= 1;
        }
        if (last > begin) {
            terms_.push_back(
                {tokens_[begin].begin, tokens_[last - 1].end, isColumnName(begin, last)});
        }
    }

    const QString& sql_;
    std::vector<SqlToken> tokens_;
    std::vector<OrderTerm> terms_;
};

void Check(sqlite3* connection, int resultCode) {
    if (resultCode != SQLITE_OK) {
        throw ESqliteError::fromConnection(connection, resultCode);
    }
}

} // namespace

std::string_view LikeText(sqlite3_value* value, std::optional<PlainNumberText>& number) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_FLOAT:
        number.emplace(sqlite3_value_double(value));
        return number->view();
    case SQLITE_INTEGER:
        number.emplace(static_cast<std::int64_t>(sqlite3_value_int64(value)));
        return number->view();
    default:
        break;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    const int bytes = sqlite3_value_bytes(value);
    return text != nullptr ? std::string_view(text, static_cast<std::size_t>(bytes))
                           : std::string_view();
}

std::string_view LikeText(const SqliteStatement& statement, int column,
                          std::optional<PlainNumberText>& number) {
    return LikeText(sqlite3_column_value(statement.handle(), column), number);
}

void RegisterSqlDialect(sqlite3* connection) {
    constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    for (const int arguments : {2, 3}) {
        Check(connection, sqlite3_create_function_v2(connection, "like", arguments, kFlags, nullptr,
                                                     LikeFunction, nullptr, nullptr, nullptr));
    }
    auto collator = std::make_unique<RussianCollator>();
    // When registration fails SQLite does not call the destructor; the unique_ptr still owns.
    Check(connection, sqlite3_create_collation_v2(connection, kRussianCollationName, SQLITE_UTF8,
                                                  collator.get(), CompareRussian, DeleteCollator));
    collator.release();
    auto keyCollator = std::make_unique<RussianCollator>();
    // On failure SQLite calls the destructor itself.
    Check(connection, sqlite3_create_function_v2(connection, kRussianSortKeyName, 1, kFlags,
                                                 keyCollator.release(), RussianSortKeyFunction,
                                                 nullptr, nullptr, DeleteCollator));
}

QString WithOrderByCollation(const QString& sql) {
    OrderByScan scan(sql);
    const std::vector<OrderTerm> terms = scan.terms();
    const bool sortKeys = !terms.empty() && scan.namesAreColumns();
    QString rewritten = sql;
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kRussianCollationName);
    for (auto term = terms.rbegin(); term != terms.rend(); ++term) {
        if (sortKeys && term->plainName) {
            rewritten.insert(term->end, u')');
            rewritten.insert(term->begin, QLatin1String(kRussianSortKeyName) + u'(');
        } else {
            rewritten.insert(term->end, collate);
        }
    }
    return rewritten;
}
