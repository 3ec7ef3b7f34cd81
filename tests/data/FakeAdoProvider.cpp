#include "tests/data/FakeAdoProvider.h"

#include "platform/Exceptions.h"
#include "platform/db/AdoCommand.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <map>
#include <optional>

namespace {

[[noreturn]] void Fail(const QString& message) {
    throw EOleException(message, static_cast<long>(0x80004005L), QStringLiteral("Fake provider"));
}

class FakeCommand : public AdoCommand {
public:
    explicit FakeCommand(FakeDatabase& database) : database_(database) {}

    bool connected() const { return connected_; }

    void setCommandType(int) override {}
    void setCommandText(const QString& text) override { text_ = text; }
    QString commandText() const override { return text_; }
    bool hasActiveConnection() const override { return connected_; }
    void setActiveConnection(const QString& connectionString) override {
        if (connectionString != database_.connectionString) {
            Fail(QStringLiteral("Could not find file '%1'.").arg(connectionString));
        }
        connected_ = true;
    }
    void releaseActiveConnection() override { connected_ = false; }
    std::vector<AdoParameter> refreshParameters() override {
        if (!connected_) {
            Fail(QStringLiteral("No connection"));
        }
        return {};
    }

private:
    FakeDatabase& database_;
    QString text_;
    bool connected_ = false;
};

class FakeRecordset : public AdoRecordset {
public:
    explicit FakeRecordset(FakeDatabase& database) : database_(database) {}

    void setCursorLocation(int) override {}
    void setCacheSize(int) override {}
    void setMaxRecords(int) override {}
    void attachEventSink() override {}
    void detachEventSink() override {}

    void open(AdoCommand& source, int, int, int) override {
        if (!dynamic_cast<FakeCommand&>(source).connected()) {
            Fail(QStringLiteral("Operation is not allowed when the object is closed"));
        }
        open_ = !database_.noResultSet;
        Load();
    }
    int state() const override { return open_ ? ado::adStateOpen : ado::adStateClosed; }
    bool nextRecordset() override { return false; }
    bool supports(long options) const override {
        return (database_.supported & options) == options;
    }

    int fieldCount() const override { return static_cast<int>(database_.columns.size()); }
    AdoFieldInfo field(int index) const override { return database_.columns.at(index); }
    AdoVariant value(int index) const override {
        if (const auto found = pending_.find(index); found != pending_.end()) {
            return found->second;
        }
        if (adding_) {
            return {};
        }
        return Current().values.at(static_cast<std::size_t>(index));
    }
    void setValue(int index, const AdoVariant& value) override {
        if (!adding_) {
            Current();
        }
        pending_[index] = value;
    }

    AdoBookmark bookmark() const override {
        Current();
        return current_ + 1;
    }
    void setBookmark(AdoBookmark bookmark) override {
        const long index = static_cast<long>(bookmark) - 1;
        if (index < 0 || index >= static_cast<long>(rows_.size()) || !Visible(index)) {
            Fail(QStringLiteral("Bookmark is invalid"));
        }
        current_ = index;
    }
    int compareBookmarks(AdoBookmark first, AdoBookmark second) const override {
        return first < second   ? ado::adCompareLessThan
               : first > second ? ado::adCompareGreaterThan
                                : ado::adCompareEqual;
    }

    // A deleted row stays current until the next move.
    bool bof() const override {
        return !OnDeletedRow() && (current_ == kBof || VisibleRows().empty());
    }
    bool eof() const override {
        return !OnDeletedRow() && (current_ == kEof || VisibleRows().empty());
    }
    void moveFirst() override {
        const std::vector<long> visible = VisibleRows();
        current_ = visible.empty() ? kBof : visible.front();
    }
    void moveLast() override {
        const std::vector<long> visible = VisibleRows();
        current_ = visible.empty() ? kEof : visible.back();
    }
    void moveNext() override {
        if (eof()) {
            Fail(QStringLiteral("Either BOF or EOF is True"));
        }
        const std::vector<long> visible = VisibleRows();
        const auto next = std::upper_bound(visible.begin(), visible.end(), current_);
        current_ = next == visible.end() ? kEof : *next;
    }
    void movePrevious() override {
        if (bof()) {
            Fail(QStringLiteral("Either BOF or EOF is True"));
        }
        const std::vector<long> visible = VisibleRows();
        const auto next = std::lower_bound(visible.begin(), visible.end(), current_);
        current_ = next == visible.begin() ? kBof : *(next - 1);
    }
    long absolutePosition() const override {
        const std::vector<long> visible = VisibleRows();
        const auto found = std::find(visible.begin(), visible.end(), current_);
        return found == visible.end() ? -1 : static_cast<long>(found - visible.begin()) + 1;
    }
    void setAbsolutePosition(long position) override {
        const std::vector<long> visible = VisibleRows();
        if (position < 1 || position > static_cast<long>(visible.size())) {
            Fail(QStringLiteral("Position out of range"));
        }
        current_ = visible[static_cast<std::size_t>(position - 1)];
    }
    int status() const override { return ado::adRecOK; }
    long recordCount() const override { return static_cast<long>(VisibleRows().size()); }

    void setFilter(const QString& filter) override {
        if (filter.isEmpty()) {
            filter_.reset();
        } else {
            filter_ = ParseFilter(filter);
        }
        moveFirst();
    }

    void addNew() override {
        pending_.clear();
        adding_ = true;
    }
    void update() override {
        if (editMode() == ado::adEditNone) {
            return;
        }
        std::vector<AdoVariant> values =
            adding_ ? std::vector<AdoVariant>(database_.columns.size()) : Current().values;
        for (const auto& [index, value] : pending_) {
            values.at(static_cast<std::size_t>(index)) = value;
        }
        if (database_.validateWrite) {
            database_.validateWrite(values);
        }
        adding_ ? WriteNew(std::move(values)) : WriteCurrent(std::move(values));
        pending_.clear();
        adding_ = false;
    }
    void cancelUpdate() override {
        pending_.clear();
        adding_ = false;
    }
    int editMode() const override {
        return adding_ ? ado::adEditAdd
                       : (pending_.empty() ? ado::adEditNone : ado::adEditInProgress);
    }

    void deleteRows(int) override {
        const FakeDatabase::Row& row = Current();
        std::erase_if(database_.rows, [&](const auto& r) { return r.key == row.key; });
        deleted_.push_back(current_);
    }
    void resync(int, int) override {
        for (FakeDatabase::Row& row : rows_) {
            const auto found = std::find_if(database_.rows.begin(), database_.rows.end(),
                                            [&](const auto& r) { return r.key == row.key; });
            if (found != database_.rows.end()) {
                row.values = found->values;
            }
        }
    }
    void requery(int) override { Load(); }

private:
    static constexpr long kBof = -1;
    static constexpr long kEof = LONG_MAX;

    struct Filter {
        int column = 0;
        QString text;
        bool prefix = false;
    };

    void Load() {
        rows_ = database_.rows;
        deleted_.clear();
        pending_.clear();
        adding_ = false;
        moveFirst();
    }

    Filter ParseFilter(const QString& text) const {
        static const QRegularExpression kForm(QStringLiteral("^(\\w+)='([^']*)'$"));
        const QRegularExpressionMatch match = kForm.match(text);
        if (!match.hasMatch()) {
            Fail(QStringLiteral("Arguments are of the wrong type"));
        }
        Filter filter;
        const auto column = std::find_if(
            database_.columns.begin(), database_.columns.end(), [&](const AdoFieldInfo& c) {
                return c.name.compare(match.captured(1), Qt::CaseInsensitive) == 0;
            });
        if (column == database_.columns.end()) {
            Fail(QStringLiteral("Arguments are of the wrong type"));
        }
        filter.column = static_cast<int>(column - database_.columns.begin());
        filter.text = match.captured(2);
        filter.prefix = filter.text.endsWith(u'*');
        if (filter.prefix) {
            filter.text.chop(1);
        }
        return filter;
    }

    bool OnDeletedRow() const {
        return std::find(deleted_.begin(), deleted_.end(), current_) != deleted_.end();
    }

    bool Visible(long index) const {
        if (std::find(deleted_.begin(), deleted_.end(), index) != deleted_.end()) {
            return false;
        }
        if (!filter_) {
            return true;
        }
        const AdoVariant& value = rows_[static_cast<std::size_t>(index)].values.at(
            static_cast<std::size_t>(filter_->column));
        const QString* text = std::get_if<QString>(&value);
        if (text == nullptr) {
            return false;
        }
        return filter_->prefix ? text->startsWith(filter_->text, Qt::CaseInsensitive)
                               : text->compare(filter_->text, Qt::CaseInsensitive) == 0;
    }

    std::vector<long> VisibleRows() const {
        std::vector<long> visible;
        for (long i = 0; i < static_cast<long>(rows_.size()); ++i) {
            if (Visible(i)) {
                visible.push_back(i);
            }
        }
        return visible;
    }

    const FakeDatabase::Row& Current() const {
        if (current_ < 0 || current_ >= static_cast<long>(rows_.size()) ||
            std::find(deleted_.begin(), deleted_.end(), current_) != deleted_.end()) {
            Fail(QStringLiteral("Either BOF or EOF is True"));
        }
        return rows_[static_cast<std::size_t>(current_)];
    }

    void WriteNew(std::vector<AdoVariant> values) {
        FakeDatabase::Row row{database_.nextKey++, std::move(values)};
        if (!database_.columns.empty() && database_.columns[0].isAutoIncrement) {
            row.values[0] = row.key;
        }
        database_.rows.push_back(row);
        rows_.push_back(row);
        current_ = static_cast<long>(rows_.size()) - 1;
    }

    void WriteCurrent(std::vector<AdoVariant> values) {
        FakeDatabase::Row& row = rows_[static_cast<std::size_t>(current_)];
        const auto found = std::find_if(database_.rows.begin(), database_.rows.end(),
                                        [&](const auto& r) { return r.key == row.key; });
        if (found == database_.rows.end()) {
            Fail(QStringLiteral("Row cannot be located for updating"));
        }
        found->values = values;
        row.values = std::move(values);
    }

    FakeDatabase& database_;
    bool open_ = false;
    std::vector<FakeDatabase::Row> rows_;
    std::vector<long> deleted_;
    long current_ = kBof;
    std::optional<Filter> filter_;
    std::map<int, AdoVariant> pending_;
    bool adding_ = false;
};

} // namespace

FakeDatabase FakeDatabase::Directory() {
    const long updatable = ado::adFldUpdatable | ado::adFldIsNullable | ado::adFldMayBeNull;
    FakeDatabase database;
    database.columns = {
        AdoFieldInfo{QStringLiteral("ID"), ado::adInteger, 4, ado::adFldFixed, 10, 0, true},
        AdoFieldInfo{QStringLiteral("tel"), ado::adDouble, 8, updatable, 15, 0, false},
        AdoFieldInfo{QStringLiteral("fio"), ado::adVarWChar, 255, updatable, 0, 0, false},
        AdoFieldInfo{QStringLiteral("Name"), ado::adVarWChar, 255, updatable, 0, 0, false},
        AdoFieldInfo{QStringLiteral("Story"), ado::adVarWChar, 255, updatable, 0, 0, false},
    };
    return database;
}

void FakeDatabase::addRow(std::vector<AdoVariant> values) {
    Row row{nextKey++, std::move(values)};
    if (!columns.empty() && columns[0].isAutoIncrement) {
        row.values.insert(row.values.begin(), row.key);
    }
    rows.push_back(std::move(row));
}

std::vector<std::vector<AdoVariant>> FakeDatabase::values() const {
    std::vector<std::vector<AdoVariant>> all;
    for (const Row& row : rows) {
        all.push_back(row.values);
    }
    return all;
}

std::unique_ptr<AdoCommand> FakeAdoProvider::createCommand() {
    return std::make_unique<FakeCommand>(database_);
}

std::unique_ptr<AdoRecordset> FakeAdoProvider::createRecordset() {
    return std::make_unique<FakeRecordset>(database_);
}
