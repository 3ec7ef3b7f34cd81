#pragma once

#include <QString>

#include <vector>

// A parameter the provider describes for a command text.
struct AdoParameter {
    QString name;
    int type = 0;
};

// The provider's command: a command text and the connection it runs on.
// Every failure raises EOleException with the provider's description.
class AdoCommand {
public:
    virtual ~AdoCommand() = default;

    virtual void setCommandType(int commandType) = 0;
    virtual void setCommandText(const QString& text) = 0;
    virtual QString commandText() const = 0;

    // Whether the command holds an open connection.
    virtual bool hasActiveConnection() const = 0;
    // Opens the database the connection string names and holds the connection.
    virtual void setActiveConnection(const QString& connectionString) = 0;
    // Releases the held connection, if any.
    virtual void releaseActiveConnection() = 0;

    // The parameters the provider finds in the command text.
    virtual std::vector<AdoParameter> refreshParameters() = 0;
};
