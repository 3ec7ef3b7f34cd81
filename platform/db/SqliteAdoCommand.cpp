#include "platform/db/SqliteAdoCommand.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/ProviderError.h"
#include "platform/db/SqlIdentifier.h"
#include "platform/db/SqliteAdoConnection.h"

SqliteAdoCommand::SqliteAdoCommand(AcceleratorFactory accelerate)
    : accelerate_(std::move(accelerate)), commandType_(ado::adCmdText) {
}

SqliteAdoCommand::~SqliteAdoCommand() = default;

void SqliteAdoCommand::setCommandType(int commandType) {
    commandType_ = commandType;
}

void SqliteAdoCommand::setCommandText(const QString& text) {
    commandText_ = text;
}

void SqliteAdoCommand::setActiveConnection(const QString& connectionString) {
    connection_ = std::make_shared<SqliteAdoConnection>(connectionString, accelerate_);
    connectionString_ = connectionString;
}

void SqliteAdoCommand::releaseActiveConnection() {
    connection_.reset();
    connectionString_.clear();
}

namespace {

// Sets a connection's busy timeout for one scope and puts the usual one back after it.
class BusyTimeoutScope {
public:
    BusyTimeoutScope(SqliteAdoConnection& connection, std::chrono::milliseconds timeout)
        : connection_(connection) {
        connection_.database().setBusyTimeout(timeout);
    }
    ~BusyTimeoutScope() { connection_.database().setBusyTimeout(connection_.busyTimeout()); }
    BusyTimeoutScope(const BusyTimeoutScope&) = delete;
    BusyTimeoutScope& operator=(const BusyTimeoutScope&) = delete;

private:
    SqliteAdoConnection& connection_;
};

} // namespace

std::vector<AdoParameter> SqliteAdoCommand::refreshParameters() {
    const std::shared_ptr<SqliteAdoConnection> held = connection();
    // The description is optional and its failure ignored: it never waits for a lock.
    const BusyTimeoutScope noWait(*held, std::chrono::milliseconds(0));
    const CommandStatement statement(*held, statementText());
    std::vector<AdoParameter> parameters;
    for (const QString& name : statement.parameterNames()) {
        parameters.push_back(AdoParameter{name, ado::adEmpty});
    }
    return parameters;
}

std::shared_ptr<SqliteAdoConnection> SqliteAdoCommand::connection() {
    if (!connection_) {
        throw ProviderError(QStringLiteral("The command has no open connection."));
    }
    if (connection_->fileReplaced()) {
        // A failure to reach the new file leaves the old connection, to be tried again.
        connection_ = std::make_shared<SqliteAdoConnection>(connectionString_, accelerate_);
    }
    return connection_;
}

QString SqliteAdoCommand::statementText() const {
    if (commandText_.trimmed().isEmpty()) {
        throw ProviderError(QStringLiteral("The command text is empty."));
    }
    switch (commandType_) {
    case ado::adCmdText:
    case ado::adCmdUnknown:
        return commandText_;
    case ado::adCmdTable:
    case ado::adCmdTableDirect:
        return QStringLiteral("SELECT * FROM ") + QuotedIdentifier(commandText_.trimmed());
    default:
        break;
    }
    throw ProviderError(
        QStringLiteral("The command type %1 is not supported; use a command text or a table name.")
            .arg(commandType_));
}
