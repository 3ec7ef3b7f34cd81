#include "platform/db/AdoProvider.h"

#include "platform/db/SqliteAdoCommand.h"
#include "platform/db/SqliteAdoRecordset.h"

namespace {

class SqliteProvider : public AdoProvider {
public:
    std::unique_ptr<AdoCommand> createCommand() override {
        return std::make_unique<SqliteAdoCommand>();
    }
    std::unique_ptr<AdoRecordset> createRecordset() override {
        return std::make_unique<SqliteAdoRecordset>();
    }
};

} // namespace

AdoProvider& SqliteAdoProvider() {
    static SqliteProvider provider;
    return provider;
}
