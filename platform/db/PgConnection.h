#pragma once

#include "platform/db/PgResult.h"

#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct pg_conn;

// A statement's parameter: its text, or NULL. The server converts the text to the column's
// type, so every value travels apart from the SQL.
using PgParameter = std::optional<QString>;

// One connection to a PostgreSQL server through libpq, made from a connection URI (or a
// "key=value" string). Passwords come from libpq's own sources (~/.pgpass, PGPASSFILE, the
// PG* variables), never from the program. A connection waits at most a few seconds for the
// server, and over TCP a cut network ends a command within seconds, unless the URI says
// otherwise. Failures throw EPgError naming the server.
class PgConnection {
public:
    static constexpr std::chrono::seconds kConnectTimeout{5};

    // What is wrong with a connection address, in words for the user: libpq cannot read it,
    // or it holds a password (which belongs in ~/.pgpass, PGPASSFILE or PGPASSWORD). Nothing
    // when it is fine; the server is not asked.
    static std::optional<QString> addressProblem(const QString& uri);

    explicit PgConnection(const QString& uri);
    ~PgConnection();
    PgConnection(PgConnection&&) noexcept;
    PgConnection& operator=(PgConnection&&) noexcept;

    // Runs one statement, or several separated by semicolons when there are no parameters.
    PgResult exec(const QString& sql);
    PgResult exec(const QString& sql, const std::vector<PgParameter>& parameters);

    // Runs a COPY ... FROM STDIN statement: `produce` is called with a function that sends the
    // server a piece of the rows (COPY's text format). When produce throws, the copy is
    // cancelled, nothing of it is written and the exception goes on. Returns the rows copied.
    using CopyWriter = std::function<void(QByteArrayView)>;
    long long copyIn(const QString& sql, const std::function<void(const CopyWriter&)>& produce);

    // The server as the user knows it: host (or socket folder), port and database.
    QString server() const;

private:
    struct Finish {
        void operator()(pg_conn* connection) const noexcept;
    };
    // The result of a statement that succeeded; EPgError otherwise.
    PgResult checked(pg_result* result);
    // Makes a connection lost by an earlier command again.
    void reconnectIfLost();

    std::unique_ptr<pg_conn, Finish> connection_;
};
