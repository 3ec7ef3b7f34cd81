#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3_stmt;
class SqliteDatabase;

// The storage class of one column value of the current row.
enum class SqliteType { Integer, Float, Text, Blob, Null };

// One prepared SQL statement; finalized on destruction. Parameter indexes start at 1 and
// column indexes at 0, as in SQLite. Errors throw ESqliteError.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& database, std::string_view utf8Sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&&) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) noexcept;

    void bindNull(int index);
    void bindDouble(int index, double value);
    void bindInt64(int index, std::int64_t value);
    void bindText(int index, const QString& value);
    void bindUtf8(int index, std::string_view value);
    void bindBlob(int index, std::string_view bytes);
    // The index of a named parameter (":name", "@name", "$name"), 0 when there is none.
    int parameterIndex(const char* name) const noexcept;

    // Runs the statement to its next row: true when a row is ready, false when it is done.
    bool step();
    // Makes the statement ready to run again; the bound values stay.
    void reset();
    void clearBindings();

    int columnCount() const noexcept;
    QString columnName(int index) const;
    SqliteType columnType(int index) const noexcept;
    bool columnIsNull(int index) const noexcept { return columnType(index) == SqliteType::Null; }
    double columnDouble(int index) const noexcept;
    std::int64_t columnInt64(int index) const noexcept;
    // The value as text (null reads as a null QString).
    QString columnText(int index) const;
    std::string columnUtf8(int index) const;
    // The bytes of a text (UTF-8) or blob value as stored, valid until the statement steps,
    // resets or reads the column another way; empty for NULL. Numbers are not converted.
    std::string_view columnBytes(int index) const noexcept;

    // The raw statement, for the wrapper's own classes.
    sqlite3_stmt* handle() const noexcept { return statement_.get(); }

private:
    void check(int resultCode) const;

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};
