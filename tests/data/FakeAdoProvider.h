#pragma once

#include "platform/db/AdoConstants.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/AdoRecordset.h"

#include <QString>

#include <functional>
#include <vector>

// An in-memory table that fake recordsets copy at open and write through to, as a database
// file would be written.
struct FakeDatabase {
    struct Row {
        std::int64_t key = 0;
        std::vector<AdoVariant> values;
    };

    // The one connection string that opens the database.
    QString connectionString = QStringLiteral("fake database");
    std::vector<AdoFieldInfo> columns;
    std::vector<Row> rows;
    std::int64_t nextKey = 1;
    // The option masks the recordsets support.
    long supported = ado::adBookmark | ado::adMovePrevious | ado::adApproxPosition | ado::adResync |
                     ado::adUpdate;
    // The command yields no result set.
    bool noResultSet = false;
    // Sees every row before it is written; throws EOleException to reject it.
    std::function<void(const std::vector<AdoVariant>& values)> validateWrite;

    // The directory table: ID (auto-increment), tel, fio, Name, Story.
    static FakeDatabase Directory();
    // Appends a row; an auto-increment first column gets the row's key.
    void addRow(std::vector<AdoVariant> values);
    // The current values of the rows, in order.
    std::vector<std::vector<AdoVariant>> values() const;
};

// A provider whose commands and recordsets work on a FakeDatabase. Filters take the form
// column='text' with an optional trailing "*" (case-insensitive prefix); anything else is
// rejected. Failures raise EOleException.
class FakeAdoProvider : public AdoProvider {
public:
    explicit FakeAdoProvider(FakeDatabase& database) : database_(database) {}

    std::unique_ptr<AdoCommand> createCommand() override;
    std::unique_ptr<AdoRecordset> createRecordset() override;

private:
    FakeDatabase& database_;
};
