#pragma once

#include <memory>

class AdoCommand;
class AdoRecordset;

// Creates the provider's objects; the data set reaches the database only through them.
class AdoProvider {
public:
    virtual ~AdoProvider() = default;

    virtual std::unique_ptr<AdoCommand> createCommand() = 0;
    virtual std::unique_ptr<AdoRecordset> createRecordset() = 0;
};
