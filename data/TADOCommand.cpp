#include "data/TADOCommand.h"

#include "data/DatabaseError.h"
#include "data/ParameterCheck.h"
#include "platform/Exceptions.h"
#include "platform/db/AdoCommand.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoProvider.h"

namespace {

// The code a failed object creation reports (REGDB_E_CLASSNOTREG).
constexpr long kClassNotRegistered = static_cast<long>(0x80040154L);

} // namespace

TADOCommand::TADOCommand(AdoProvider& provider) : command_(provider.createCommand()) {
    if (!command_) {
        throw EOleSysError(DatabaseMessages::kErrorCreatingObject, kClassNotRegistered);
    }
    command_->setCommandType(ado::adCmdText);
}

TADOCommand::~TADOCommand() = default;

void TADOCommand::SetConnectionString(const QString& connectionString) {
    if (connectionString == connectionString_) {
        return;
    }
    connectionString_ = connectionString;
    if (command_->hasActiveConnection()) {
        command_->releaseActiveConnection();
    }
}

void TADOCommand::SetCommandText(const QString& text, bool refreshParameters) {
    commandText_ = text;
    if (text.isEmpty()) {
        command_->setCommandText(QString());
        parameters_.clear();
        return;
    }
    if (!paramCheck_) {
        command_->setCommandText(text);
        return;
    }
    const ParameterCheckResult checked = CheckParameters(text);
    command_->setCommandText(checked.text);
    parameters_.clear();
    for (const QString& marker : checked.markers) {
        parameters_.push_back(TParameter{marker, 0});
    }
    // A text without markers has no parameters to describe: asking the provider would only
    // cost a trip to the file, which waits out another program's lock.
    if (refreshParameters && !checked.markers.isEmpty()) {
        RefreshParameters(checked.markers);
    }
}

void TADOCommand::RefreshParameters(const QStringList& markers) {
    try {
        AddConnectionReason(ConnectionReason::ParameterRefresh);
        std::vector<AdoParameter> described;
        try {
            described = command_->refreshParameters();
        } catch (...) {
            RemoveConnectionReason(ConnectionReason::ParameterRefresh);
            throw;
        }
        RemoveConnectionReason(ConnectionReason::ParameterRefresh);
        if (described.size() == static_cast<std::size_t>(markers.size())) {
            for (std::size_t i = 0; i < described.size(); ++i) {
                parameters_[i].DataType = described[i].type;
            }
        }
    } catch (const Exception&) {
        // The description only adds types; the text runs without it.
    }
}

void TADOCommand::AddConnectionReason(ConnectionReason reason) {
    if (reasons_.empty() && !command_->hasActiveConnection()) {
        if (connectionString_.isEmpty()) {
            DatabaseError(DatabaseMessages::kMissingConnection);
        }
        command_->setActiveConnection(connectionString_);
    }
    reasons_.insert(reason);
}

void TADOCommand::RemoveConnectionReason(ConnectionReason reason) {
    reasons_.erase(reason);
}
