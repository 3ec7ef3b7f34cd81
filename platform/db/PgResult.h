#pragma once

#include <QString>

#include <memory>
#include <string_view>

struct pg_result;

// The rows a statement returned, held by libpq. Values are read as the server's text.
class PgResult {
public:
    explicit PgResult(pg_result* result) noexcept;
    ~PgResult();
    PgResult(PgResult&&) noexcept;
    PgResult& operator=(PgResult&&) noexcept;

    int rowCount() const noexcept;
    bool isNull(int row, int column) const noexcept;
    // The value's text in UTF-8; valid while the result lives.
    std::string_view utf8(int row, int column) const noexcept;
    QString text(int row, int column) const;
    // The rows an INSERT, UPDATE, DELETE or COPY changed.
    long long affectedRows() const;

private:
    struct Clear {
        void operator()(pg_result* result) const noexcept;
    };
    std::unique_ptr<pg_result, Clear> result_;
};
