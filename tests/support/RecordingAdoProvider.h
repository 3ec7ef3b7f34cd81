#pragma once

#include "platform/db/AdoProvider.h"

#include <QString>
#include <QStringList>

#include <memory>

// A provider that hands out the objects of another provider and records every call made on
// them, with its arguments, as text: "Command.CommandText = SELECT ...", "Recordset.Open(3, 3, 1)",
// "Recordset.Supports(0x2000)", "Recordset.Resync(3, 2)", ... Reads are recorded too
// ("Recordset.EOF", "Recordset.Bookmark"). A call that fails is recorded before it fails.
class RecordingAdoProvider : public AdoProvider {
public:
    explicit RecordingAdoProvider(AdoProvider& inner);

    std::unique_ptr<AdoCommand> createCommand() override;
    std::unique_ptr<AdoRecordset> createRecordset() override;

    // Every call since the start or the last clear().
    const QStringList& calls() const { return log_->calls; }
    // The calls, leaving out those that begin with any of the prefixes.
    QStringList callsExcept(const QStringList& ignoredPrefixes) const;
    // The calls that begin with any of the prefixes.
    QStringList callsMatching(const QStringList& prefixes) const;
    void clear() { log_->calls.clear(); }
    // From now on every call that begins with any of the prefixes fails with a provider error
    // after it is recorded, as calls fail on a database another program has locked; an empty
    // list ends the failures.
    void failCalls(const QStringList& prefixes) { log_->failing = prefixes; }

    // The calls without the reads that only look at the recordset (BOF, EOF, Status, Bookmark,
    // AbsolutePosition, EditMode, State, RecordCount, Fields.Count, Fields.Item(i) and their
    // Value), which tests of call sequences usually leave out. Moves and writes stay.
    QStringList callsWithoutReads() const;
    static bool IsRead(const QString& call);

    struct Log {
        QStringList calls;
        QStringList failing;
        void add(const QString& call);
    };

private:
    AdoProvider& inner_;
    std::shared_ptr<Log> log_;
};
