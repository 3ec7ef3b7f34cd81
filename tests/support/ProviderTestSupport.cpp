#include "tests/support/ProviderTestSupport.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/SqliteAdoProvider.h"
#include "platform/db/SqliteAdoCommand.h"
#include "platform/db/SqliteAdoConnection.h"

QString ProviderTest::connectionString(const QString& extra) {
    QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                   folder().databasePath() + QStringLiteral(";Persist Security Info=False");
    return extra.isEmpty() ? text : text + u';' + extra;
}

OpenedQuery ProviderTest::open(const QString& sql, const QString& extra) {
    OpenedQuery query;
    query.command = provider().createCommand();
    query.command->setActiveConnection(connectionString(extra));
    query.recordset = openOn(*query.command, sql);
    return query;
}

std::unique_ptr<AdoRecordset> ProviderTest::openOn(AdoCommand& command, const QString& sql) {
    command.setCommandType(ado::adCmdText);
    command.setCommandText(sql);
    std::unique_ptr<AdoRecordset> recordset = provider().createRecordset();
    recordset->setCursorLocation(ado::adUseClient);
    recordset->setCacheSize(1);
    recordset->setMaxRecords(0);
    recordset->open(command, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdText);
    return recordset;
}

AdoProvider& ProviderTest::provider() {
    return SqliteAdoProvider();
}

SqliteDatabase& DatabaseOf(AdoCommand& command) {
    return dynamic_cast<SqliteAdoCommand&>(command).connection()->database();
}

QString Text(const AdoVariant& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return QString::number(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return QString::number(*real, 'g', 15);
    }
    if (const auto* text = std::get_if<QString>(&value)) {
        return *text;
    }
    return QStringLiteral("NULL");
}

QStringList ColumnTexts(AdoRecordset& recordset, int column) {
    QStringList texts;
    if (recordset.recordCount() == 0) {
        return texts;
    }
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        texts << Text(recordset.value(column));
    }
    return texts;
}

DirectoryEntry Entry(std::optional<double> tel, const char* fio, const char* name,
                     const char* story) {
    auto text = [](const char* utf8) {
        return utf8 != nullptr ? std::optional<QString>(QString::fromUtf8(utf8)) : std::nullopt;
    };
    return DirectoryEntry{tel, text(fio), text(name), text(story)};
}
