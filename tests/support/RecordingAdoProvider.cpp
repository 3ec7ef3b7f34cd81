#include "tests/support/RecordingAdoProvider.h"

#include "platform/db/AdoCommand.h"
#include "platform/db/AdoRecordset.h"
#include "platform/db/ProviderError.h"

#include <QRegularExpression>

#include <utility>

namespace {

using Log = RecordingAdoProvider::Log;

QString Hex(long value) {
    return QStringLiteral("0x") + QString::number(value, 16);
}

QString Text(const AdoVariant& value) {
    struct Visitor {
        QString operator()(std::monostate) const { return QStringLiteral("null"); }
        QString operator()(std::int64_t v) const { return QString::number(v); }
        QString operator()(double v) const { return QString::number(v, 'g', 17); }
        QString operator()(const QString& v) const {
            return QLatin1Char('"') + v + QLatin1Char('"');
        }
    };
    return std::visit(Visitor{}, value);
}

class RecordingCommand : public AdoCommand {
public:
    RecordingCommand(std::unique_ptr<AdoCommand> inner, std::shared_ptr<Log> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}

    AdoCommand& inner() { return *inner_; }

    void setCommandType(int commandType) override {
        log_->add(QStringLiteral("Command.CommandType = %1").arg(commandType));
        inner_->setCommandType(commandType);
    }
    void setCommandText(const QString& text) override {
        log_->add(QStringLiteral("Command.CommandText = ") + text);
        inner_->setCommandText(text);
    }
    QString commandText() const override {
        log_->add(QStringLiteral("Command.CommandText"));
        return inner_->commandText();
    }
    bool hasActiveConnection() const override {
        log_->add(QStringLiteral("Command.ActiveConnection"));
        return inner_->hasActiveConnection();
    }
    void setActiveConnection(const QString& connectionString) override {
        log_->add(QStringLiteral("Command.ActiveConnection = ") + connectionString);
        inner_->setActiveConnection(connectionString);
    }
    void releaseActiveConnection() override {
        log_->add(QStringLiteral("Command.ActiveConnection = none"));
        inner_->releaseActiveConnection();
    }
    std::vector<AdoParameter> refreshParameters() override {
        log_->add(QStringLiteral("Command.Parameters.Refresh"));
        return inner_->refreshParameters();
    }

private:
    std::unique_ptr<AdoCommand> inner_;
    std::shared_ptr<Log> log_;
};

class RecordingRecordset : public AdoRecordset {
public:
    RecordingRecordset(std::unique_ptr<AdoRecordset> inner, std::shared_ptr<Log> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}

    void setCursorLocation(int location) override {
        Add(QStringLiteral("CursorLocation = %1").arg(location));
        inner_->setCursorLocation(location);
    }
    void setCacheSize(int size) override {
        Add(QStringLiteral("CacheSize = %1").arg(size));
        inner_->setCacheSize(size);
    }
    void setMaxRecords(int count) override {
        Add(QStringLiteral("MaxRecords = %1").arg(count));
        inner_->setMaxRecords(count);
    }
    void attachEventSink() override {
        Add(QStringLiteral("AttachEventSink"));
        inner_->attachEventSink();
    }
    void detachEventSink() override {
        Add(QStringLiteral("DetachEventSink"));
        inner_->detachEventSink();
    }
    void open(AdoCommand& source, int cursorType, int lockType, int options) override {
        Add(QStringLiteral("Open(%1, %2, %3)").arg(cursorType).arg(lockType).arg(options));
        auto* recording = dynamic_cast<RecordingCommand*>(&source);
        inner_->open(recording != nullptr ? recording->inner() : source, cursorType, lockType,
                     options);
    }
    int state() const override {
        Add(QStringLiteral("State"));
        return inner_->state();
    }
    bool nextRecordset() override {
        Add(QStringLiteral("NextRecordset"));
        return inner_->nextRecordset();
    }
    bool supports(long options) const override {
        Add(QStringLiteral("Supports(%1)").arg(Hex(options)));
        return inner_->supports(options);
    }
    int fieldCount() const override {
        Add(QStringLiteral("Fields.Count"));
        return inner_->fieldCount();
    }
    AdoFieldInfo field(int index) const override {
        Add(QStringLiteral("Fields.Item(%1)").arg(index));
        return inner_->field(index);
    }
    AdoVariant value(int index) const override {
        Add(QStringLiteral("Fields.Item(%1).Value").arg(index));
        return inner_->value(index);
    }
    void setValue(int index, const AdoVariant& value) override {
        Add(QStringLiteral("Fields.Item(%1).Value = %2").arg(index).arg(Text(value)));
        inner_->setValue(index, value);
    }
    AdoBookmark bookmark() const override {
        Add(QStringLiteral("Bookmark"));
        return inner_->bookmark();
    }
    void setBookmark(AdoBookmark bookmark) override {
        Add(QStringLiteral("Bookmark = %1").arg(bookmark));
        inner_->setBookmark(bookmark);
    }
    int compareBookmarks(AdoBookmark first, AdoBookmark second) const override {
        Add(QStringLiteral("CompareBookmarks(%1, %2)").arg(first).arg(second));
        return inner_->compareBookmarks(first, second);
    }
    bool bof() const override {
        Add(QStringLiteral("BOF"));
        return inner_->bof();
    }
    bool eof() const override {
        Add(QStringLiteral("EOF"));
        return inner_->eof();
    }
    void moveFirst() override {
        Add(QStringLiteral("MoveFirst"));
        inner_->moveFirst();
    }
    void moveNext() override {
        Add(QStringLiteral("MoveNext"));
        inner_->moveNext();
    }
    void movePrevious() override {
        Add(QStringLiteral("MovePrevious"));
        inner_->movePrevious();
    }
    void moveLast() override {
        Add(QStringLiteral("MoveLast"));
        inner_->moveLast();
    }
    long absolutePosition() const override {
        Add(QStringLiteral("AbsolutePosition"));
        return inner_->absolutePosition();
    }
    void setAbsolutePosition(long position) override {
        Add(QStringLiteral("AbsolutePosition = %1").arg(position));
        inner_->setAbsolutePosition(position);
    }
    int status() const override {
        Add(QStringLiteral("Status"));
        return inner_->status();
    }
    long recordCount() const override {
        Add(QStringLiteral("RecordCount"));
        return inner_->recordCount();
    }
    void setFilter(const QString& filter) override {
        Add(QStringLiteral("Filter = ") + filter);
        inner_->setFilter(filter);
    }
    void addNew() override {
        Add(QStringLiteral("AddNew"));
        inner_->addNew();
    }
    void update() override {
        Add(QStringLiteral("Update"));
        inner_->update();
    }
    void cancelUpdate() override {
        Add(QStringLiteral("CancelUpdate"));
        inner_->cancelUpdate();
    }
    int editMode() const override {
        Add(QStringLiteral("EditMode"));
        return inner_->editMode();
    }
    void deleteRows(int affectRecords) override {
        Add(QStringLiteral("Delete(%1)").arg(affectRecords));
        inner_->deleteRows(affectRecords);
    }
    void resync(int affectRecords, int resyncValues) override {
        Add(QStringLiteral("Resync(%1, %2)").arg(affectRecords).arg(resyncValues));
        inner_->resync(affectRecords, resyncValues);
    }
    void requery(int options) override {
        Add(QStringLiteral("Requery(%1)").arg(options));
        inner_->requery(options);
    }

private:
    void Add(const QString& call) const { log_->add(QStringLiteral("Recordset.") + call); }

    std::unique_ptr<AdoRecordset> inner_;
    std::shared_ptr<Log> log_;
};

bool StartsWithAny(const QString& call, const QStringList& prefixes) {
    for (const QString& prefix : prefixes) {
        if (call.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

void RecordingAdoProvider::Log::add(const QString& call) {
    calls.append(call);
    if (StartsWithAny(call, failing))
        throw ProviderError(QStringLiteral("The database is locked by another user."));
}

RecordingAdoProvider::RecordingAdoProvider(AdoProvider& inner)
    : inner_(inner), log_(std::make_shared<Log>()) {
}

std::unique_ptr<AdoCommand> RecordingAdoProvider::createCommand() {
    log_->add(QStringLiteral("Command.Create"));
    return std::make_unique<RecordingCommand>(inner_.createCommand(), log_);
}

std::unique_ptr<AdoRecordset> RecordingAdoProvider::createRecordset() {
    log_->add(QStringLiteral("Recordset.Create"));
    return std::make_unique<RecordingRecordset>(inner_.createRecordset(), log_);
}

QStringList RecordingAdoProvider::callsExcept(const QStringList& ignoredPrefixes) const {
    QStringList kept;
    for (const QString& call : log_->calls) {
        if (!StartsWithAny(call, ignoredPrefixes)) {
            kept.append(call);
        }
    }
    return kept;
}

QStringList RecordingAdoProvider::callsMatching(const QStringList& prefixes) const {
    QStringList kept;
    for (const QString& call : log_->calls) {
        if (StartsWithAny(call, prefixes)) {
            kept.append(call);
        }
    }
    return kept;
}

QStringList RecordingAdoProvider::callsWithoutReads() const {
    QStringList kept;
    for (const QString& call : log_->calls) {
        if (!IsRead(call)) {
            kept.append(call);
        }
    }
    return kept;
}

bool RecordingAdoProvider::IsRead(const QString& call) {
    static const QStringList kReads = {
        QStringLiteral("Recordset.BOF"),
        QStringLiteral("Recordset.EOF"),
        QStringLiteral("Recordset.Status"),
        QStringLiteral("Recordset.Bookmark"),
        QStringLiteral("Recordset.AbsolutePosition"),
        QStringLiteral("Recordset.EditMode"),
        QStringLiteral("Recordset.State"),
        QStringLiteral("Recordset.RecordCount"),
        QStringLiteral("Recordset.Fields.Count"),
    };
    static const QRegularExpression kFieldRead(
        QStringLiteral("^Recordset\\.Fields\\.Item\\(\\d+\\)(\\.Value)?$"));
    return kReads.contains(call) || kFieldRead.match(call).hasMatch();
}
