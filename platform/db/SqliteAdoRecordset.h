#pragma once

#include "platform/db/AdoRecordset.h"
#include "platform/db/BusyWait.h"
#include "platform/db/RecordsetFilter.h"
#include "platform/db/ResultColumns.h"
#include "platform/db/ResultRows.h"
#include "platform/db/SqliteTransaction.h"
#include "platform/db/VisibleRows.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CommandStatement;
class SqliteAdoConnection;
class SqliteDatabase;

// The provider's static client-side recordset: at open it runs the command once and holds
// its whole result (ResultRows): every row copied, or, for a statement the connection's
// accelerator answers, the rows' rowids in order with each row's values read on first use. Moving,
// counting, filtering and reading then work on what is held, and only Update, Delete, Resync and
// Requery go back to the database.
//
// Bookmarks are row identities (the row's index in the store + 1) that keep their order.
// The visible rows are the indexes of the stored rows that pass the filter and were not
// deleted; positions, the record count, BOF and EOF apply to them.
class SqliteAdoRecordset : public AdoRecordset {
public:
    SqliteAdoRecordset();
    ~SqliteAdoRecordset() override;

    void setCursorLocation(int location) override;
    void setCacheSize(int size) override;
    void setMaxRecords(int count) override;
    void attachEventSink() override {}
    void detachEventSink() override {}

    void open(AdoCommand& source, int cursorType, int lockType, int options) override;
    int state() const override;
    bool nextRecordset() override;
    bool supports(long options) const override;

    int fieldCount() const override;
    AdoFieldInfo field(int index) const override;
    AdoVariant value(int index) const override;
    void setValue(int index, const AdoVariant& value) override;

    AdoBookmark bookmark() const override;
    void setBookmark(AdoBookmark bookmark) override;
    int compareBookmarks(AdoBookmark first, AdoBookmark second) const override;

    bool bof() const override;
    bool eof() const override;
    void moveFirst() override;
    void moveNext() override;
    void movePrevious() override;
    void moveLast() override;
    long absolutePosition() const override;
    void setAbsolutePosition(long position) override;
    int status() const override;
    long recordCount() const override;

    void setFilter(const QString& filter) override;

    void addNew() override;
    void update() override;
    void cancelUpdate() override;
    int editMode() const override { return editMode_; }

    void deleteRows(int affectRecords) override;
    void beginWriteBatch() override;
    void endWriteBatch() override;
    void resync(int affectRecords, int resyncValues) override;
    void requery(int options) override;

    // Whether the rows' values are read on first use (the result came from the connection's
    // search cache) rather than copied at open.
    bool readsRowsOnUse() const noexcept { return rows_.readsOnUse(); }

private:
    void load();
    ResultRows readResult(CommandStatement& statement, const std::vector<ResultColumn>& columns);
    void close();
    void rebuildVisible();
    VisibleRows visibleUnder(const RecordsetFilter* filter) const;
    int rowStatus(std::size_t row) const noexcept;
    void setRowStatus(std::size_t row, int status);
    void settleEdit();
    std::vector<QString> fieldNames() const;

    void requireOpen() const;
    void requireColumn(int index) const;
    bool hasCurrent() const noexcept;
    std::size_t currentRow() const;
    bool canUpdate() const noexcept;
    void requireUpdatable() const;

    std::shared_ptr<SqliteAdoConnection> connection_;
    QString commandText_;
    int lockType_ = 0;
    long maxRecords_ = 0;
    bool open_ = false;

    std::vector<ResultColumn> columns_;
    WriteTarget target_;
    ResultRows rows_;
    // ado::adRecNew, adRecModified, adRecDeleted by row; rows beyond its end are adRecOK.
    std::vector<std::uint8_t> rowStatus_;
    std::size_t deletedRows_ = 0;
    VisibleRows visible_;
    std::optional<RecordsetFilter> filter_;
    QString filterText_;
    // A write batch: one transaction, and one wait for other programs' locks in all, so
    // that the batch never holds the caller longer than the busy timeout.
    struct WriteBatch {
        explicit WriteBatch(SqliteDatabase& database);
        BusyWait::Command oneWait;
        SqliteTransaction transaction;
        std::size_t deletions = 0;
        std::size_t alreadyGone = 0; // deletions of rows another user had deleted first
    };
    // The write batch, while one is open.
    std::unique_ptr<WriteBatch> batch_;

    // -1 before the first visible row, visible_.size() after the last.
    std::int64_t position_ = 0;
    // The row just deleted stays current until the next move; position_ is then the
    // visible row after it.
    std::optional<std::size_t> deletedCurrent_;

    int editMode_ = 0;
    std::vector<std::optional<AdoVariant>> pending_;
    std::int64_t positionBeforeAdd_ = 0;
};
