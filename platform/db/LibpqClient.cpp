// PgConnection and PgResult: the one place that speaks libpq's C interface.
#include "platform/db/PgConnection.h"
#include "platform/db/PgError.h"
#include "platform/db/PgResult.h"

#include <libpq-fe.h>

#include <QByteArray>

#include <array>

namespace {

QString Trimmed(const char* message) {
    return QString::fromUtf8(message != nullptr ? message : "").trimmed();
}

QString Unreachable(const QString& server, const char* why) {
    return QStringLiteral("The directory server %1 cannot be reached: %2 Check that the server "
                          "is running and that the folder's server address is right, then try "
                          "again.")
        .arg(server, Trimmed(why));
}

QString Lost(const QString& server, const char* why) {
    return QStringLiteral("The connection to the directory server %1 was lost: %2 Nothing of "
                          "this command was saved; try again when the server is back.")
        .arg(server, Trimmed(why));
}

QString ServerOf(const PGconn* connection) {
    const QString host = Trimmed(PQhost(connection));
    return QStringLiteral("\"%1\" on %2:%3")
        .arg(Trimmed(PQdb(connection)), host.isEmpty() ? QStringLiteral("localhost") : host,
             Trimmed(PQport(connection)));
}

} // namespace

PgResult::PgResult(pg_result* result) noexcept : result_(result) {
}
PgResult::~PgResult() = default;
PgResult::PgResult(PgResult&&) noexcept = default;
PgResult& PgResult::operator=(PgResult&&) noexcept = default;

void PgResult::Clear::operator()(pg_result* result) const noexcept {
    PQclear(result);
}

int PgResult::rowCount() const noexcept {
    return PQntuples(result_.get());
}

bool PgResult::isNull(int row, int column) const noexcept {
    return PQgetisnull(result_.get(), row, column) != 0;
}

std::string_view PgResult::utf8(int row, int column) const noexcept {
    return {PQgetvalue(result_.get(), row, column),
            static_cast<std::size_t>(PQgetlength(result_.get(), row, column))};
}

QString PgResult::text(int row, int column) const {
    const std::string_view value = utf8(row, column);
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

long long PgResult::affectedRows() const {
    return QByteArray(PQcmdTuples(result_.get())).toLongLong();
}

PgConnection::PgConnection(const QString& uri) {
    const QByteArray conninfo = uri.toUtf8();
    const QByteArray timeout = QByteArray::number(static_cast<int>(kConnectTimeout.count()));
    // The defaults come first, so that the URI's own settings win over them. Over TCP a cut
    // network ends a command within seconds: data the server does not acknowledge for 5 s,
    // or an idle connection that stops answering keepalives, closes the connection.
    const std::array<const char*, 9> keywords{
        "connect_timeout",  "application_name", "client_encoding",
        "tcp_user_timeout", "keepalives_idle",  "keepalives_interval",
        "keepalives_count", "dbname",           nullptr};
    const std::array<const char*, 9> values{
        timeout.constData(),  "phonebook", "UTF8", "5000", "5", "2", "2",
        conninfo.constData(), nullptr};
    connection_.reset(PQconnectdbParams(keywords.data(), values.data(), 1));
    if (!connection_) {
        throw EPgError(Unreachable(uri, "out of memory"), {}, true);
    }
    if (PQstatus(connection_.get()) != CONNECTION_OK) {
        throw EPgError(Unreachable(server(), PQerrorMessage(connection_.get())), {}, true);
    }
    // The server's notices ("already exists, skipping") are not for the user; libpq would
    // print them on standard error.
    PQsetNoticeProcessor(
        connection_.get(), [](void*, const char*) {}, nullptr);
}

std::optional<QString> PgConnection::addressProblem(const QString& uri) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(uri.toUtf8().constData(), &error);
    if (options == nullptr) {
        const QString why = Trimmed(error);
        PQfreemem(error);
        return QStringLiteral("the server address \"%1\" cannot be read: %2").arg(uri, why);
    }
    bool password = false;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        password |= qstrcmp(option->keyword, "password") == 0 && option->val != nullptr &&
                    option->val[0] != '\0';
    }
    PQconninfoFree(options);
    if (password) {
        return QStringLiteral("the server address holds a password; leave it out and give it "
                              "to libpq in ~/.pgpass, PGPASSFILE or PGPASSWORD instead");
    }
    return std::nullopt;
}

PgConnection::~PgConnection() = default;
PgConnection::PgConnection(PgConnection&&) noexcept = default;
PgConnection& PgConnection::operator=(PgConnection&&) noexcept = default;

void PgConnection::Finish::operator()(pg_conn* connection) const noexcept {
    PQfinish(connection);
}

QString PgConnection::server() const {
    return ServerOf(connection_.get());
}

PgResult PgConnection::exec(const QString& sql) {
    return exec(sql, {});
}

PgResult PgConnection::exec(const QString& sql, const std::vector<PgParameter>& parameters) {
    reconnectIfLost();
    const QByteArray text = sql.toUtf8();
    if (parameters.empty()) {
        return checked(PQexec(connection_.get(), text.constData()));
    }
    std::vector<QByteArray> held;
    std::vector<const char*> values;
    held.reserve(parameters.size());
    for (const PgParameter& parameter : parameters) {
        held.push_back(parameter ? parameter->toUtf8() : QByteArray());
        values.push_back(parameter ? held.back().constData() : nullptr);
    }
    return checked(PQexecParams(connection_.get(), text.constData(),
                                static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                                nullptr, 0));
}

// A connection lost by an earlier command is made again, so that the first command after the
// server is back works.
void PgConnection::reconnectIfLost() {
    if (PQstatus(connection_.get()) != CONNECTION_BAD) {
        return;
    }
    PQreset(connection_.get());
    if (PQstatus(connection_.get()) != CONNECTION_OK) {
        throw EPgError(Unreachable(server(), PQerrorMessage(connection_.get())), {}, true);
    }
}

long long PgConnection::copyIn(const QString& sql,
                               const std::function<void(const CopyWriter&)>& produce) {
    reconnectIfLost();
    PGconn* connection = connection_.get();
    pg_result* started = PQexec(connection, sql.toUtf8().constData());
    if (PQresultStatus(started) != PGRES_COPY_IN) {
        checked(started); // throws why the server did not start the copy
        throw EPgError(QStringLiteral("not a COPY ... FROM STDIN statement: %1").arg(sql), {},
                       false);
    }
    PQclear(started);
    const auto lost = [&] {
        return EPgError(Lost(server(), PQerrorMessage(connection)), {}, true);
    };
    try {
        produce([&](QByteArrayView rows) {
            if (PQputCopyData(connection, rows.data(), static_cast<int>(rows.size())) != 1) {
                throw lost();
            }
        });
    } catch (...) {
        PQputCopyEnd(connection, "cancelled by the program");
        while (pg_result* rest = PQgetResult(connection)) {
            PQclear(rest);
        }
        throw;
    }
    if (PQputCopyEnd(connection, nullptr) != 1) {
        throw lost();
    }
    PgResult result = checked(PQgetResult(connection));
    while (pg_result* rest = PQgetResult(connection)) {
        PQclear(rest);
    }
    return result.affectedRows();
}

PgResult PgConnection::checked(pg_result* raw) {
    PgResult result(raw);
    const ExecStatusType status = PQresultStatus(raw);
    if (raw != nullptr &&
        (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_EMPTY_QUERY)) {
        return result;
    }
    if (PQstatus(connection_.get()) == CONNECTION_BAD) {
        throw EPgError(Lost(server(), PQerrorMessage(connection_.get())), {}, true);
    }
    const QString primary = Trimmed(PQresultErrorField(raw, PG_DIAG_MESSAGE_PRIMARY));
    throw EPgError(primary.isEmpty() ? Trimmed(PQerrorMessage(connection_.get())) : primary,
                   Trimmed(PQresultErrorField(raw, PG_DIAG_SQLSTATE)), false);
}
