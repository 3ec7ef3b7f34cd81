#pragma once

#include <cstdint>
#include <string_view>

// What a connection tells of its own writes, as SQLite reports them: each row it inserts,
// updates or deletes in a rowid table (rows written by triggers, replaced by a conflict or
// emptied with their table too; a row whose rowid an update changed as a delete and an
// insert), then the end of the transaction that holds them. A transaction may report a row more
// than once, or a row a statement wrote and then undid; a listener that reads those rows again
// after a commit sees the file as it stands. Writes of other connections are never reported.
//
// The calls come from inside SQLite, in the middle of a statement: a listener must not use
// the connection then, only note what it is told.
class ChangeListener {
public:
    enum class RowChange { Insert, Update, Delete };

    virtual ~ChangeListener() = default;

    // A row of `schema`.`table` (as SQLite spells them) with this rowid was written.
    virtual void rowChanged(RowChange change, std::string_view schema, std::string_view table,
                            std::int64_t rowid) noexcept = 0;
    // The rows reported since the last commit or rollback are about to be committed.
    virtual void committed() noexcept = 0;
    // The rows reported since the last commit or rollback were rolled back.
    virtual void rolledBack() noexcept = 0;
};
