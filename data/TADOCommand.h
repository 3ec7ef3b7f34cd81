#pragma once

#include <QString>

#include <memory>
#include <set>
#include <vector>

class AdoCommand;
class AdoProvider;

// A parameter of the command text.
struct TParameter {
    QString Name;
    int DataType = 0; // the provider's type code, 0 when the provider did not describe it
};

// Why the command holds its connection.
enum class ConnectionReason { DataSetOpen, ParameterRefresh, Executing };

// The query's command: the provider's command object with the command text, the parameter
// check and the connection it holds. The connection opens when the first reason is added with
// no connection held and stays open until the connection string changes.
class TADOCommand {
public:
    // Creates the provider's command object (command type text).
    explicit TADOCommand(AdoProvider& provider);
    ~TADOCommand();
    TADOCommand(const TADOCommand&) = delete;
    TADOCommand& operator=(const TADOCommand&) = delete;

    const QString& ConnectionString() const { return connectionString_; }
    // Stores a new connection string and releases the connection held for the old one.
    void SetConnectionString(const QString& connectionString);

    // The command text as assigned, before the parameter check.
    const QString& CommandText() const { return commandText_; }
    // Hands the text to the provider: an empty text empties Parameters; otherwise, with
    // ParamCheck, the markers become "?", and with refreshParameters the provider describes
    // the parameters when there are markers (any failure of that description is ignored).
    void SetCommandText(const QString& text, bool refreshParameters);

    bool ParamCheck() const { return paramCheck_; }
    void SetParamCheck(bool paramCheck) { paramCheck_ = paramCheck; }
    const std::vector<TParameter>& Parameters() const { return parameters_; }

    // Adds a reason to hold the connection; the first reason opens it when none is held
    // ("Missing Connection or ConnectionString" without a connection string). A failed
    // connection leaves the reason out.
    void AddConnectionReason(ConnectionReason reason);
    // Removes a reason; the connection stays open.
    void RemoveConnectionReason(ConnectionReason reason);
    bool HasConnectionReason(ConnectionReason reason) const { return reasons_.count(reason) != 0; }

    AdoCommand& Command() { return *command_; }

private:
    void RefreshParameters(const QStringList& markers);

    std::unique_ptr<AdoCommand> command_;
    QString connectionString_;
    QString commandText_;
    bool paramCheck_ = true;
    std::vector<TParameter> parameters_;
    std::set<ConnectionReason> reasons_;
};
