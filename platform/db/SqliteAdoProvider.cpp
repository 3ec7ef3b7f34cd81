#include "platform/db/SqliteAdoProvider.h"

#include "platform/db/SqliteAdoCommand.h"
#include "platform/db/SqliteAdoRecordset.h"

namespace {

class SqliteProvider : public AdoProvider {
public:
    explicit SqliteProvider(AcceleratorFactory accelerate = {})
        : accelerate_(std::move(accelerate)) {}

    std::unique_ptr<AdoCommand> createCommand() override {
        return std::make_unique<SqliteAdoCommand>(accelerate_);
    }
    std::unique_ptr<AdoRecordset> createRecordset() override {
        return std::make_unique<SqliteAdoRecordset>();
    }

private:
    AcceleratorFactory accelerate_;
};

} // namespace

AdoProvider& SqliteAdoProvider() {
    static SqliteProvider provider;
    return provider;
}

std::unique_ptr<AdoProvider> MakeSqliteAdoProvider(AcceleratorFactory accelerate) {
    return std::make_unique<SqliteProvider>(std::move(accelerate));
}
