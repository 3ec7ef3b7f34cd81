#include "platform/db/FilterParser.h"

#include "platform/db/ProviderError.h"
#include "platform/text/Utf8CaseFold.h"

#include <utility>

namespace {

using Condition = RecordsetFilter::Condition;
using Node = RecordsetFilter::Node;
using Op = Condition::Op;

struct Token {
    enum class Kind { Word, Name, Text, Symbol, End } kind = Kind::End;
    QString text;
    qsizetype position = 0;
};

[[noreturn]] void Invalid(const QString& reason) {
    throw ProviderError(QStringLiteral("Invalid filter: ") + reason);
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$';
}

class Lexer {
public:
    explicit Lexer(const QString& text) : text_(text) {}

    Token next() {
        while (i_ < text_.size() && text_[i_].isSpace()) {
            ++i_;
        }
        Token token{Token::Kind::End, {}, i_};
        if (i_ >= text_.size()) {
            return token;
        }
        const QChar c = text_[i_];
        if (c == u'\'') {
            token.kind = Token::Kind::Text;
            token.text = quoted(u'\'');
        } else if (c == u'[') {
            token.kind = Token::Kind::Name;
            token.text = quoted(u']');
        } else if (c == u'#') {
            Invalid(QStringLiteral("dates (#...#) are not supported"));
        } else if (IsWordChar(c) || ((c == u'-' || c == u'+') && i_ + 1 < text_.size() &&
                                     (text_[i_ + 1].isDigit() || text_[i_ + 1] == u'.'))) {
            const qsizetype start = i_++;
            while (i_ < text_.size() && (IsWordChar(text_[i_]) || isExponentSign())) {
                ++i_;
            }
            token.kind = Token::Kind::Word;
            token.text = text_.mid(start, i_ - start);
        } else {
            token.kind = Token::Kind::Symbol;
            const QStringView rest = QStringView(text_).mid(i_);
            const bool pair = rest.startsWith(u"<>") || rest.startsWith(u"<=") ||
                              rest.startsWith(u">=") || rest.startsWith(u"!=");
            token.text = text_.mid(i_, pair ? 2 : 1);
            i_ += token.text.size();
        }
        return token;
    }

private:
    // The sign of an exponent inside a number such as 1e+5.
    bool isExponentSign() const {
        return (text_[i_] == u'+' || text_[i_] == u'-') && i_ >= 2 &&
               (text_[i_ - 1] == u'e' || text_[i_ - 1] == u'E') && text_[i_ - 2].isDigit();
    }

    // The text from the opening character up to close; a doubled apostrophe stands for one.
    QString quoted(QChar close) {
        const qsizetype start = i_++;
        QString value;
        while (i_ < text_.size()) {
            if (text_[i_] == close) {
                if (close == u'\'' && i_ + 1 < text_.size() && text_[i_ + 1] == close) {
                    value += close;
                    i_ += 2;
                    continue;
                }
                ++i_;
                return value;
            }
            value += text_[i_++];
        }
        Invalid(QStringLiteral("the value %1 is not closed with %2")
                    .arg(text_.mid(start), QString(close)));
    }

    const QString& text_;
    qsizetype i_ = 0;
};

// The LIKE pattern of an `=` value with `*` or `%` at its start or end; the rest is literal.
std::optional<LikePattern> WildcardPattern(const QString& value) {
    auto isWildcard = [](QChar c) {
        return c == u'*' || c == u'%';
    };
    qsizetype begin = 0, end = value.size();
    while (begin < end && isWildcard(value[begin])) {
        ++begin;
    }
    while (end > begin && isWildcard(value[end - 1])) {
        --end;
    }
    const bool leading = begin > 0, trailing = end < value.size();
    if (!leading && !trailing) {
        return std::nullopt;
    }
    QString pattern = leading ? QStringLiteral("%") : QString();
    for (qsizetype i = begin; i < end; ++i) {
        if (value[i] == u'%' || value[i] == u'_' || value[i] == u'\\') {
            pattern += u'\\';
        }
        pattern += value[i];
    }
    pattern += trailing ? QStringLiteral("%") : QString();
    return LikePattern(pattern.toUtf8().toStdString(), U'\\');
}

// The deepest nesting of parentheses a filter may have.
constexpr int kMaxNesting = 100;

class Parser {
public:
    Parser(const QString& text, const std::vector<QString>& fields)
        : lexer_(text), text_(text), fields_(fields) {
        advance();
    }

    Node parse() {
        Node node = parseOr();
        if (current_.kind != Token::Kind::End) {
            Invalid(QStringLiteral("unexpected '%1'").arg(text_.mid(current_.position)));
        }
        return node;
    }

private:
    void advance() { current_ = lexer_.next(); }
    bool isKeyword(QStringView word) const {
        return current_.kind == Token::Kind::Word &&
               current_.text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QStringView symbol) const {
        return current_.kind == Token::Kind::Symbol && current_.text == symbol;
    }
    QString here() const {
        return current_.kind == Token::Kind::End ? QStringLiteral("the end")
                                                 : u'\'' + text_.mid(current_.position) + u'\'';
    }

    Node parseList(Node::Kind kind, QStringView keyword, Node (Parser::*item)()) {
        Node first = (this->*item)();
        if (!isKeyword(keyword)) {
            return first;
        }
        Node list;
        list.kind = kind;
        list.children.push_back(std::move(first));
        while (isKeyword(keyword)) {
            advance();
            list.children.push_back((this->*item)());
        }
        return list;
    }
    Node parseOr() { return parseList(Node::Kind::Or, u"OR", &Parser::parseAnd); }
    Node parseAnd() { return parseList(Node::Kind::And, u"AND", &Parser::parsePrimary); }

    Node parsePrimary() {
        if (!isSymbol(u"(")) {
            Node leaf;
            leaf.condition = parseCondition();
            return leaf;
        }
        // Each level costs stack here and when the filter is matched and freed: a text of
        // thousands of "(" must fail, not overflow the stack.
        if (++depth_ > kMaxNesting) {
            Invalid(QStringLiteral("parentheses nested more than %1 deep").arg(kMaxNesting));
        }
        advance();
        Node inner = parseOr();
        if (!isSymbol(u")")) {
            Invalid(QStringLiteral("expected ')' at %1").arg(here()));
        }
        advance();
        --depth_;
        return inner;
    }

    Condition parseCondition() {
        Condition condition;
        condition.column = field();
        if (isKeyword(u"IS")) {
            advance();
            const bool negated = isKeyword(u"NOT");
            if (negated) {
                advance();
            }
            if (!isKeyword(u"NULL")) {
                Invalid(QStringLiteral("expected NULL after IS at %1").arg(here()));
            }
            advance();
            condition.op = negated ? Op::IsNotNull : Op::IsNull;
            return condition;
        }
        const QString op = current_.text;
        condition.op = comparison();
        value(condition, op);
        return condition;
    }

    int field() {
        if (current_.kind != Token::Kind::Word && current_.kind != Token::Kind::Name) {
            Invalid(QStringLiteral("expected a field name at %1").arg(here()));
        }
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (fields_[i].compare(current_.text, Qt::CaseInsensitive) == 0) {
                advance();
                return static_cast<int>(i);
            }
        }
        Invalid(QStringLiteral("unknown field '%1'").arg(current_.text));
    }

    Op comparison() {
        static const std::pair<const char16_t*, Op> kOperators[] = {
            {u"=", Op::Equal},          {u"<>", Op::NotEqual}, {u"!=", Op::NotEqual},
            {u"<", Op::Less},           {u">", Op::Greater},   {u"<=", Op::LessOrEqual},
            {u">=", Op::GreaterOrEqual}};
        for (const auto& [symbol, op] : kOperators) {
            if (isSymbol(symbol)) {
                advance();
                return op;
            }
        }
        if (isKeyword(u"LIKE")) {
            advance();
            return Op::Like;
        }
        Invalid(QStringLiteral("expected a comparison operator at %1").arg(here()));
    }

    void value(Condition& condition, const QString& op) {
        const bool quoted = current_.kind == Token::Kind::Text;
        if (!quoted && isKeyword(u"NULL")) {
            if (condition.op != Op::Equal && condition.op != Op::NotEqual) {
                Invalid(QStringLiteral("NULL can be compared only with = or <>"));
            }
            condition.op = condition.op == Op::Equal ? Op::IsNull : Op::IsNotNull;
            advance();
            return;
        }
        bool isNumber = false;
        const double number = current_.text.trimmed().toDouble(&isNumber);
        // Unquoted, only a number is a value.
        if (!quoted && (current_.kind != Token::Kind::Word || !isNumber)) {
            Invalid(QStringLiteral("expected a value after %1 at %2").arg(op, here()));
        }
        const QString value = current_.text;
        advance();
        condition.text = value.toUtf8().toStdString();
        condition.folded = CaseFolded(condition.text);
        if (isNumber) {
            condition.number = number;
        }
        if (condition.op == Op::Like) {
            condition.pattern.emplace(QString(value).replace(u'*', u'%').toUtf8().toStdString());
        } else if (quoted && (condition.op == Op::Equal || condition.op == Op::NotEqual)) {
            condition.pattern = WildcardPattern(value);
        }
    }

    Lexer lexer_;
    const QString& text_;
    const std::vector<QString>& fields_;
    Token current_;
    int depth_ = 0; // parentheses open around the current token
};

} // namespace

RecordsetFilter::Node ParseFilter(const QString& text, const std::vector<QString>& fieldNames) {
    return Parser(text, fieldNames).parse();
}
