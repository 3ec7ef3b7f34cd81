#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// A column's text as LIKE compares it (case-folded, a number as its plain text); NULL has no
// text.
struct FoldedText {
    bool isNull = false;
    std::string_view folded;
};

// A statement's result as an accelerator (StatementAccelerator) found it: the rowids of its
// rows in result order, each row read through rowStatement() when it is first used. The rows
// and their order are those SQLite would give for the statement.
class AcceleratedResult {
public:
    virtual ~AcceleratedResult() = default;

    virtual std::size_t size() const noexcept = 0;
    virtual std::int64_t rowid(std::size_t row) const noexcept = 0;
    // The statement that reads one row of the result: the statement's own columns of the row
    // whose rowid is bound to ?1.
    virtual QString rowStatement() const = 0;

    // The accelerator's number for a result column whose texts it knows, by the name of the
    // table column it comes from; nothing for other columns.
    virtual std::optional<int> knownColumn(const QString& name) const {
        static_cast<void>(name);
        return std::nullopt;
    }
    // A row's text of a known column as it was when the result was made.
    virtual FoldedText knownText(std::size_t row, int column) const noexcept {
        static_cast<void>(row);
        static_cast<void>(column);
        return {};
    }
};
