#include "platform/db/SqliteAdoRecordset.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/ProviderError.h"
#include "platform/db/ResultLoader.h"
#include "platform/db/SqliteAdoCommand.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteTransaction.h"

namespace {

// ADO's AbsolutePosition values when there is no current row.
constexpr long kPositionUnknown = -1;
constexpr long kPositionBof = -2;
constexpr long kPositionEof = -3;

AdoVariant ToVariant(const StoredValue& value) {
    switch (value.type) {
    case StoredType::Integer:
        return value.integer;
    case StoredType::Real:
        return value.real;
    case StoredType::Text:
    case StoredType::Blob:
        return QString::fromUtf8(value.bytes.data(), static_cast<qsizetype>(value.bytes.size()));
    case StoredType::Null:
        break;
    }
    return std::monostate{};
}

EOleException NoCurrentRow() {
    return ProviderError(
        QStringLiteral("There is no current row: the recordset is before its first or after its "
                       "last row, or the row has been deleted."));
}

} // namespace

SqliteAdoRecordset::SqliteAdoRecordset() = default;
SqliteAdoRecordset::~SqliteAdoRecordset() = default;

void SqliteAdoRecordset::setCursorLocation(int) {
    // Every recordset is a client-side copy, whatever location is asked for.
}

void SqliteAdoRecordset::setCacheSize(int) {
    // The whole result is held; there is no cache to size.
}

void SqliteAdoRecordset::setMaxRecords(int count) {
    maxRecords_ = count;
}

void SqliteAdoRecordset::open(AdoCommand& source, int, int lockType, int) {
    auto* command = dynamic_cast<SqliteAdoCommand*>(&source);
    if (command == nullptr) {
        throw ProviderError(QStringLiteral("The recordset can only be opened from a command of "
                                           "the SQLite database provider."));
    }
    std::shared_ptr<SqliteAdoConnection> connection = command->connection();
    const QString text = command->statementText();
    close();
    connection_ = std::move(connection);
    commandText_ = text;
    lockType_ = lockType;
    try {
        load();
    } catch (...) {
        close();
        throw;
    }
}

// Runs the command text and holds its result, on the first row.
void SqliteAdoRecordset::load() {
    // Preparing, checking the search copy and reading the rows wait for a lock once in all.
    const BusyWait::Command oneWait(connection_->database().busyWait());
    CommandStatement statement(*connection_, commandText_);
    if (statement.columnCount() == 0) {
        // A statement without result columns runs once and gives a closed recordset.
        while (statement.step()) {
        }
        statement.reset();
        open_ = false;
        return;
    }
    std::vector<ResultColumn> columns;
    ResultRows rows;
    try {
        columns = DescribeColumns(connection_->database(), statement.handle());
        rows = readResult(statement, columns);
    } catch (const ESqliteError& failure) {
        throw connection_->error(failure);
    }
    if (rows.rowCount() > 0) {
        std::vector<StoredValue> first;
        rows.readRow(0, first);
        SettleExpressionKinds(columns, first);
    }
    const bool writable = !connection_->isReadOnly() && lockType_ != ado::adLockReadOnly;
    target_ = FindWriteTarget(columns, statement.tablesRead(), writable);
    columns_ = std::move(columns);
    rows_ = std::move(rows);
    rowStatus_.clear();
    deletedRows_ = 0;
    pending_.assign(columns_.size(), std::nullopt);
    editMode_ = ado::adEditNone;
    open_ = true;
    rebuildVisible();
    moveFirst();
}

// The result as the connection's accelerator answers it, else every row of the statement
// copied.
ResultRows SqliteAdoRecordset::readResult(CommandStatement& statement,
                                          const std::vector<ResultColumn>& columns) {
    StatementAccelerator* accelerator = connection_->accelerator();
    std::unique_ptr<AcceleratedResult> answered =
        accelerator != nullptr
            ? accelerator->answer(connection_->database(), commandText_, statement.tablesRead())
            : nullptr;
    if (!answered) {
        statement.prepareFaster();
        return ResultRows(LoadRows(statement, maxRecords_));
    }
    std::vector<QString> origins;
    for (const ResultColumn& column : columns) {
        origins.push_back(column.origin);
    }
    const std::size_t limit = maxRecords_ > 0 ? static_cast<std::size_t>(maxRecords_) : SIZE_MAX;
    return ResultRows(*connection_, std::move(answered), limit, origins);
}

void SqliteAdoRecordset::close() {
    batch_.reset(); // a batch not ended is rolled back, on the connection it began on
    open_ = false;
    columns_.clear();
    target_ = WriteTarget{};
    rows_ = ResultRows();
    rowStatus_.clear();
    deletedRows_ = 0;
    visible_.showAll(0);
    filter_.reset();
    filterText_.clear();
    position_ = 0;
    deletedCurrent_.reset();
    editMode_ = ado::adEditNone;
    pending_.clear();
}

int SqliteAdoRecordset::state() const {
    return open_ ? ado::adStateOpen : ado::adStateClosed;
}

bool SqliteAdoRecordset::nextRecordset() {
    // A command runs one statement, so there is never a further result.
    close();
    return false;
}

bool SqliteAdoRecordset::canUpdate() const noexcept {
    return open_ && target_.isValid() && !connection_->isReadOnly() &&
           lockType_ != ado::adLockReadOnly;
}

bool SqliteAdoRecordset::supports(long options) const {
    if (!open_) {
        return false;
    }
    long supported = ado::adBookmark | ado::adMovePrevious | ado::adApproxPosition;
    if (target_.isValid()) {
        supported |= ado::adResync;
    }
    if (canUpdate()) {
        supported |= ado::adUpdate;
    }
    return (supported & options) == options;
}

std::vector<QString> SqliteAdoRecordset::fieldNames() const {
    std::vector<QString> names;
    for (const ResultColumn& column : columns_) {
        names.push_back(column.field.name);
    }
    return names;
}

void SqliteAdoRecordset::requireOpen() const {
    if (!open_) {
        throw ProviderError(QStringLiteral("The operation needs an open recordset."));
    }
}

void SqliteAdoRecordset::requireColumn(int index) const {
    requireOpen();
    if (index < 0 || static_cast<std::size_t>(index) >= columns_.size()) {
        throw ProviderError(QStringLiteral("The recordset has no field number %1.").arg(index));
    }
}

int SqliteAdoRecordset::fieldCount() const {
    return static_cast<int>(columns_.size());
}

AdoFieldInfo SqliteAdoRecordset::field(int index) const {
    requireColumn(index);
    return columns_[static_cast<std::size_t>(index)].field;
}

AdoVariant SqliteAdoRecordset::value(int index) const {
    requireColumn(index);
    const auto column = static_cast<std::size_t>(index);
    if (pending_[column]) {
        return *pending_[column];
    }
    if (editMode_ == ado::adEditAdd) {
        return std::monostate{};
    }
    return ToVariant(rows_.value(currentRow(), index));
}

bool SqliteAdoRecordset::hasCurrent() const noexcept {
    return deletedCurrent_.has_value() ||
           (position_ >= 0 && position_ < static_cast<std::int64_t>(visible_.size()));
}

std::size_t SqliteAdoRecordset::currentRow() const {
    if (deletedCurrent_) {
        return *deletedCurrent_;
    }
    if (!hasCurrent()) {
        throw NoCurrentRow();
    }
    return visible_[static_cast<std::size_t>(position_)];
}

AdoBookmark SqliteAdoRecordset::bookmark() const {
    requireOpen();
    if (editMode_ == ado::adEditAdd) {
        throw ProviderError(QStringLiteral("The new row has no bookmark until it is updated."));
    }
    return static_cast<AdoBookmark>(currentRow()) + 1;
}

void SqliteAdoRecordset::setBookmark(AdoBookmark bookmark) {
    requireOpen();
    settleEdit();
    const std::optional<std::size_t> found =
        bookmark >= 1 ? visible_.find(static_cast<std::size_t>(bookmark - 1)) : std::nullopt;
    if (!found) {
        throw ProviderError(QStringLiteral("The bookmark %1 names no visible row of the recordset "
                                           "(the row may have been deleted or filtered out).")
                                .arg(bookmark));
    }
    deletedCurrent_.reset();
    position_ = static_cast<std::int64_t>(*found);
}

int SqliteAdoRecordset::compareBookmarks(AdoBookmark first, AdoBookmark second) const {
    const auto rows = static_cast<AdoBookmark>(rows_.rowCount());
    if (!open_ || first < 1 || second < 1 || first > rows || second > rows) {
        return ado::adCompareNotComparable;
    }
    return first < second   ? ado::adCompareLessThan
           : first > second ? ado::adCompareGreaterThan
                            : ado::adCompareEqual;
}

bool SqliteAdoRecordset::bof() const {
    requireOpen();
    return !deletedCurrent_ && (visible_.empty() || position_ < 0);
}

bool SqliteAdoRecordset::eof() const {
    requireOpen();
    return !deletedCurrent_ &&
           (visible_.empty() || position_ >= static_cast<std::int64_t>(visible_.size()));
}

void SqliteAdoRecordset::moveFirst() {
    requireOpen();
    settleEdit();
    deletedCurrent_.reset();
    position_ = 0;
}

void SqliteAdoRecordset::moveLast() {
    requireOpen();
    settleEdit();
    deletedCurrent_.reset();
    position_ = static_cast<std::int64_t>(visible_.size()) - 1;
}

void SqliteAdoRecordset::moveNext() {
    requireOpen();
    settleEdit();
    if (deletedCurrent_) {
        deletedCurrent_.reset(); // position_ already names the row after the deleted one
        return;
    }
    if (eof()) {
        throw NoCurrentRow();
    }
    ++position_;
}

void SqliteAdoRecordset::movePrevious() {
    requireOpen();
    settleEdit();
    if (deletedCurrent_) {
        deletedCurrent_.reset();
        --position_;
        return;
    }
    if (bof()) {
        throw NoCurrentRow();
    }
    --position_;
}

long SqliteAdoRecordset::absolutePosition() const {
    requireOpen();
    if (editMode_ == ado::adEditAdd || deletedCurrent_) {
        return kPositionUnknown;
    }
    if (bof()) {
        return kPositionBof;
    }
    if (eof()) {
        return kPositionEof;
    }
    return static_cast<long>(position_ + 1);
}

void SqliteAdoRecordset::setAbsolutePosition(long position) {
    requireOpen();
    if (position < 1 || static_cast<std::size_t>(position) > visible_.size()) {
        throw ProviderError(QStringLiteral("The position %1 is outside the recordset's %2 rows.")
                                .arg(position)
                                .arg(visible_.size()));
    }
    settleEdit();
    deletedCurrent_.reset();
    position_ = position - 1;
}

int SqliteAdoRecordset::status() const {
    requireOpen();
    if (editMode_ == ado::adEditAdd) {
        return ado::adRecNew;
    }
    if (!hasCurrent()) {
        return ado::adRecOK;
    }
    return rowStatus(currentRow());
}

long SqliteAdoRecordset::recordCount() const {
    requireOpen();
    return static_cast<long>(visible_.size());
}

void SqliteAdoRecordset::setFilter(const QString& filter) {
    requireOpen();
    // Parse first: a text that cannot be parsed leaves the previous filter in force.
    std::optional<RecordsetFilter> parsed;
    if (!filter.trimmed().isEmpty()) {
        parsed.emplace(filter, fieldNames());
    }
    settleEdit();
    // Testing the rows may read them and fail; the previous filter then stays in force.
    const BusyWait::Command oneWait(connection_->database().busyWait());
    VisibleRows visible = visibleUnder(parsed ? &*parsed : nullptr);
    filter_ = std::move(parsed);
    filterText_ = filter_ ? filter : QString();
    deletedCurrent_.reset();
    visible_ = std::move(visible);
    moveFirst();
}

void SqliteAdoRecordset::rebuildVisible() {
    VisibleRows visible = visibleUnder(filter_ ? &*filter_ : nullptr);
    deletedCurrent_.reset();
    visible_ = std::move(visible);
}

// The rows not deleted that pass the filter (every one without a filter).
VisibleRows SqliteAdoRecordset::visibleUnder(const RecordsetFilter* filter) const {
    VisibleRows visible;
    if (filter == nullptr && deletedRows_ == 0) {
        visible.showAll(rows_.rowCount());
        return visible;
    }
    std::vector<std::uint32_t> shown;
    for (std::size_t row = 0; row < rows_.rowCount(); ++row) {
        if ((rowStatus(row) & ado::adRecDeleted) == 0 &&
            (filter == nullptr || filter->matches(rows_, row))) {
            shown.push_back(static_cast<std::uint32_t>(row));
        }
    }
    visible.show(std::move(shown));
    return visible;
}

int SqliteAdoRecordset::rowStatus(std::size_t row) const noexcept {
    return row < rowStatus_.size() ? rowStatus_[row] : ado::adRecOK;
}

void SqliteAdoRecordset::setRowStatus(std::size_t row, int status) {
    if (row >= rowStatus_.size()) {
        rowStatus_.resize(row + 1, static_cast<std::uint8_t>(ado::adRecOK));
    }
    rowStatus_[row] = static_cast<std::uint8_t>(status);
}
