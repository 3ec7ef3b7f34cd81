#include "tools/EntryExport.h"

#include "tools/CsvWriter.h"
#include "tools/DirectoryEntry.h"
#include "tools/EntryTable.h"
#include "tools/PhoneNumberText.h"

#include "platform/Exceptions.h"

#include <QSaveFile>

namespace {

void AddText(CsvWriter& writer, const std::optional<QString>& text) {
    if (!text) {
        writer.addField({});
        return;
    }
    writer.addField(text->toUtf8(), text->isEmpty());
}

} // namespace

qint64 ExportEntries(SqliteDatabase& database, QIODevice& device) {
    CsvWriter writer(device);
    for (const char* column : {"tel", "fio", "Name", "Story"}) {
        writer.addField(column);
    }
    writer.endRecord();
    qint64 count = 0;
    ForEachEntry(database, [&](const DirectoryEntry& entry) {
        writer.addField(entry.tel ? PhoneNumberText(*entry.tel) : QByteArray());
        AddText(writer, entry.fio);
        AddText(writer, entry.name);
        AddText(writer, entry.story);
        writer.endRecord();
        ++count;
    });
    return count;
}

qint64 ExportEntriesToFile(SqliteDatabase& database, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw Exception(
            QStringLiteral("%1: cannot write the file (%2)").arg(path, file.errorString()));
    }
    const qint64 count = ExportEntries(database, file);
    if (!file.commit()) {
        throw Exception(
            QStringLiteral("%1: cannot write the file (%2)").arg(path, file.errorString()));
    }
    return count;
}
