#pragma once

#include "platform/text/LikePattern.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ResultRows;
class RussianCollator;

// A recordset filter text, parsed once and evaluated against stored rows. The grammar:
//
//   filter     := and-list { OR and-list }
//   and-list   := primary { AND primary }
//   primary    := "(" filter ")" | field operator value | field IS [NOT] NULL
//   operator   := = | <> | != | < | > | <= | >= | LIKE
//   value      := 'text' (two apostrophes stand for one) | number | NULL
//
// Field names ignore letter case and may be written [in brackets]. Text compares ignoring
// letter case as LIKE does; `=` with a `*` or `%` at the start or end of the value matches
// like LIKE with `%` there (name='ИВАН*' finds the names that begin with Иван), `<` and `>`
// follow the Russian alphabetical order; a number column compares numerically with a value
// that reads as a number. A NULL value passes only IS NULL (or = NULL).
class RecordsetFilter {
public:
    // Throws EOleException ("Invalid filter: ...") when the text cannot be parsed or names
    // a field that is not in fieldNames.
    RecordsetFilter(const QString& text, const std::vector<QString>& fieldNames);
    ~RecordsetFilter();
    RecordsetFilter(RecordsetFilter&&) noexcept;
    RecordsetFilter& operator=(RecordsetFilter&&) noexcept;

    bool matches(const ResultRows& rows, std::size_t row) const;

    // One comparison of the filter.
    struct Condition {
        enum class Op {
            Equal,
            NotEqual,
            Less,
            Greater,
            LessOrEqual,
            GreaterOrEqual,
            Like,
            IsNull,
            IsNotNull
        };
        int column = 0;
        Op op = Op::Equal;
        std::string text;                   // the value as UTF-8
        std::string folded;                 // the value case-folded
        std::optional<double> number;       // the value as a number, when it reads as one
        std::optional<LikePattern> pattern; // LIKE, and `=` / `<>` with wildcards
    };
    // A node of the parsed filter: an AND or OR of its children, or one condition.
    struct Node {
        enum class Kind { And, Or, Leaf } kind = Kind::Leaf;
        std::vector<Node> children;
        Condition condition;
    };

private:
    bool evaluate(const Node& node, const ResultRows& rows, std::size_t row) const;
    bool test(const Condition& condition, const ResultRows& rows, std::size_t row) const;
    std::optional<bool> testKnownText(const Condition& condition, const ResultRows& rows,
                                      std::size_t row) const;

    Node root_;
    std::unique_ptr<RussianCollator> collator_;
    mutable std::string folded_; // the folded value of the row being tested
};
