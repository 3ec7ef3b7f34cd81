#include "tools/EntryExport.h"

#include "tools/CsvWriter.h"
#include "tools/DirectoryEntry.h"
#include "tools/EntryStore.h"
#include "tools/PhoneNumberText.h"
#include "tools/ReplacedFile.h"

#include "platform/Exceptions.h"
#include "platform/db/PgError.h"
#include "platform/db/SqliteDatabase.h"

namespace {

void AddText(CsvWriter& writer, const std::optional<QString>& text) {
    if (!text) {
        writer.addField({});
        return;
    }
    writer.addField(text->toUtf8(), text->isEmpty());
}

} // namespace

qint64 ExportEntries(EntryStore& store, QIODevice& device) {
    CsvWriter writer(device);
    for (const char* column : {"tel", "fio", "Name", "Story"}) {
        writer.addField(column);
    }
    writer.endRecord();
    qint64 count = 0;
    store.forEach([&](const DirectoryEntry& entry) {
        writer.addField(entry.tel ? PhoneNumberText(*entry.tel) : QByteArray());
        AddText(writer, entry.fio);
        AddText(writer, entry.name);
        AddText(writer, entry.story);
        writer.endRecord();
        ++count;
    });
    writer.flush();
    return count;
}

qint64 ExportEntriesToFile(EntryStore& store, const QString& path) {
    ReplacedFile file(path);
    qint64 count = 0;
    try {
        count = ExportEntries(store, file.device());
    } catch (const ESqliteError&) {
        throw;
    } catch (const EPgError&) {
        throw;
    } catch (const Exception& error) {
        throw Exception(QStringLiteral("%1: %2").arg(path, error.message()));
    }
    file.commit();
    return count;
}
