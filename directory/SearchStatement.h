#pragma once

#include <QString>

#include <optional>

// The directory's search statement, as the window sends it:
//
//   SELECT <columns> FROM tel [WHERE [tel.]<tel|fio|Name> LIKE '<pattern>'] [ORDER BY ...] [;]
//
// with no subquery or function anywhere (every token outside parentheses). The provider reads
// such a statement faster than SQLite would: through the file's search index, or through the
// connection's copy of the searched texts (TableSearchCache).
struct SearchStatement {
    // The LIKE condition, when the statement has one.
    struct Condition {
        QString column;       // "tel", "fio" or "Name", spelled so
        QString pattern;      // the literal's text
        qsizetype patternEnd; // the offset just after the literal in the statement text
    };

    // The text between SELECT and FROM.
    QString columns;
    // Whether `columns` is `*` or a list of plain column names (tel.-prefixed or not) without
    // aliases, so that ORDER BY names a column of the table and every row of the table gives
    // one row of the result.
    bool plainColumns = false;
    std::optional<Condition> condition;
    enum class Order { None, Name, Other } order = Order::None;
};

// The statement's parts, or nothing when the text is not a search of that form.
std::optional<SearchStatement> ParseSearchStatement(const QString& sql);
