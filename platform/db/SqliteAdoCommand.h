#pragma once

#include "platform/db/AdoCommand.h"
#include "platform/db/StatementAccelerator.h"

#include <memory>

class SqliteAdoConnection;

// The provider's command: a command text and the connection it runs on. The connection is
// shared with the recordsets opened from the command, which keep it while they live.
class SqliteAdoCommand : public AdoCommand {
public:
    // The factory, if any, gives each connection of the command its accelerator.
    explicit SqliteAdoCommand(AcceleratorFactory accelerate = {});
    ~SqliteAdoCommand() override;

    void setCommandType(int commandType) override;
    void setCommandText(const QString& text) override;
    QString commandText() const override { return commandText_; }

    bool hasActiveConnection() const override { return connection_ != nullptr; }
    void setActiveConnection(const QString& connectionString) override;
    void releaseActiveConnection() override;

    std::vector<AdoParameter> refreshParameters() override;

    // The held connection; throws EOleException when there is none. When the file at the
    // connection's path has been replaced since it was opened, connects to the new file
    // first (recordsets opened before keep the old connection while they live).
    std::shared_ptr<SqliteAdoConnection> connection();
    // The SQL text the command runs: the command text, or for a table command a SELECT of
    // the whole table. Throws EOleException when it is empty or the type is not supported.
    QString statementText() const;

private:
    AcceleratorFactory accelerate_;
    int commandType_;
    QString commandText_;
    QString connectionString_;
    std::shared_ptr<SqliteAdoConnection> connection_;
};
