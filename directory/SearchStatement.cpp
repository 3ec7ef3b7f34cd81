#include "directory/SearchStatement.h"

#include "platform/db/SqlTokens.h"

#include <array>
#include <vector>

namespace {

constexpr std::array<const char16_t*, 3> kSearchedColumns{u"tel", u"fio", u"Name"};

// Reads the statement's tokens left to right; each read step fails by returning false.
class SearchParser {
public:
    explicit SearchParser(const QString& sql) : sql_(sql), tokens_(TokenizeSql(sql)) {}

    std::optional<SearchStatement> parse() {
        for (const SqlToken& token : tokens_) {
            if (token.depth != 0) {
                return std::nullopt; // a subquery or a function: not a plain search
            }
        }
        SearchStatement search;
        if (!word(u"SELECT") || !columns(search) || !word(u"FROM") || !word(u"tel")) {
            return std::nullopt;
        }
        if (word(u"WHERE") && !condition(search)) {
            return std::nullopt;
        }
        if (word(u"ORDER")) {
            if (!word(u"BY")) {
                return std::nullopt;
            }
            search.order =
                orderByName() ? SearchStatement::Order::Name : SearchStatement::Order::Other;
            return search;
        }
        return atEnd() ? std::optional(search) : std::nullopt;
    }

private:
    QStringView text(std::size_t t) const {
        return QStringView(sql_).sliced(tokens_[t].begin, tokens_[t].end - tokens_[t].begin);
    }
    bool isWord(std::size_t t, QStringView expected) const {
        return t < tokens_.size() && tokens_[t].kind == SqlToken::Kind::Word &&
               text(t).compare(expected, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(std::size_t t, QChar expected) const {
        return t < tokens_.size() && tokens_[t].kind == SqlToken::Kind::Symbol &&
               sql_[tokens_[t].begin] == expected;
    }
    bool word(QStringView expected) { return isWord(next_, expected) ? (++next_, true) : false; }
    bool symbol(QChar expected) { return isSymbol(next_, expected) ? (++next_, true) : false; }
    // The end of the text, or a last semicolon.
    bool atEnd() const {
        return next_ == tokens_.size() || (isSymbol(next_, u';') && next_ + 1 == tokens_.size());
    }

    // The select list: every token up to FROM. It is plain when it is `*` or names columns.
    bool columns(SearchStatement& search) {
        const std::size_t first = next_;
        while (next_ < tokens_.size() && !isWord(next_, u"FROM")) {
            ++next_;
        }
        if (next_ == first || next_ == tokens_.size()) {
            return false;
        }
        const qsizetype begin = tokens_[first].begin;
        search.columns = sql_.sliced(begin, tokens_[next_ - 1].end - begin);
        search.plainColumns = plainColumns(first, next_);
        return true;
    }
    bool plainColumns(std::size_t t, std::size_t end) const {
        if (end == t + 1 && isSymbol(t, u'*')) {
            return true;
        }
        for (;;) {
            if (t + 2 < end && isWord(t, u"tel") && isSymbol(t + 1, u'.')) {
                t += 2;
            }
            if (t >= end || tokens_[t].kind != SqlToken::Kind::Word || isWord(t, u"DISTINCT") ||
                isWord(t, u"ALL")) {
                return false;
            }
            if (++t == end) {
                return true;
            }
            if (!isSymbol(t++, u',')) {
                return false;
            }
        }
    }

    // [tel.]<column> LIKE '<pattern>', up to ORDER BY or the end.
    bool condition(SearchStatement& search) {
        if (isWord(next_, u"tel") && isSymbol(next_ + 1, u'.')) {
            next_ += 2;
        }
        const std::size_t column = next_;
        for (const char16_t* name : kSearchedColumns) {
            if (word(name)) {
                search.condition.emplace();
                search.condition->column = QString::fromUtf16(name);
                break;
            }
        }
        if (next_ == column || !word(u"LIKE") || !stringLiteral()) {
            return false;
        }
        const SqlToken& literal = tokens_[next_ - 1];
        QString pattern = sql_.sliced(literal.begin + 1, literal.end - literal.begin - 2);
        search.condition->pattern = pattern.replace(QStringLiteral("''"), QStringLiteral("'"));
        search.condition->patternEnd = literal.end;
        return atEnd() || isWord(next_, u"ORDER");
    }
    bool stringLiteral() {
        if (next_ >= tokens_.size() || tokens_[next_].kind != SqlToken::Kind::Quoted) {
            return false;
        }
        const QStringView literal = text(next_);
        if (literal.size() < 2 || !literal.startsWith(u'\'') || !literal.endsWith(u'\'')) {
            return false;
        }
        ++next_;
        return true;
    }

    // ORDER BY [tel.]Name [ASC] and nothing after it.
    bool orderByName() {
        if (isWord(next_, u"tel") && isSymbol(next_ + 1, u'.')) {
            next_ += 2;
        }
        if (!word(u"Name")) {
            return false;
        }
        word(u"ASC");
        return atEnd();
    }

    const QString& sql_;
    std::vector<SqlToken> tokens_;
    std::size_t next_ = 0;
};

} // namespace

std::optional<SearchStatement> ParseSearchStatement(const QString& sql) {
    return SearchParser(sql).parse();
}
