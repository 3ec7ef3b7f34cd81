#pragma once

#include "platform/db/AdoProvider.h"
#include "platform/db/StatementAccelerator.h"

#include <memory>

// The provider over SQLite database files.
AdoProvider& SqliteAdoProvider();

// The same provider giving each connection an accelerator from the factory.
std::unique_ptr<AdoProvider> MakeSqliteAdoProvider(AcceleratorFactory accelerate);
