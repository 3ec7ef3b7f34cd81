// The CSV reader and the import's field rules, on text held in memory and read in pieces.
#include "fuzz/FuzzInput.h"

#include "tools/CsvReader.h"
#include "tools/DirectorySchema.h"
#include "tools/EntryImport.h"
#include "tools/FolderErrors.h"
#include "tools/SqliteEntryStore.h"

#include "platform/db/SqliteDatabase.h"

#include <QBuffer>

namespace {

SqliteDatabase& Database() {
    static SqliteDatabase database = [] {
        SqliteDatabase made(QStringLiteral(":memory:"), SqliteOpenMode::Create);
        CreateDirectorySchema(made);
        return made;
    }();
    return database;
}

// Reads every record; the pieces must read as the whole text does.
std::size_t CountRecords(CsvReader& reader) {
    std::size_t count = 0;
    CsvRecord record;
    try {
        while (reader.next(record)) {
            ++count;
        }
    } catch (const ECsvFormatError&) {
        return static_cast<std::size_t>(-1);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    CsvReader whole(input.bytes());
    const std::size_t records = CountRecords(whole);
    QByteArray copy = input.bytes().toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CsvReader pieces(buffer, 3);
    if (CountRecords(pieces) != records) {
        __builtin_trap(); // the same text read in pieces must give the same records
    }
    try {
        SqliteEntryStore store(Database());
        if (ImportEntries(store, input.bytes()) > 0) {
            Database().exec("DELETE FROM tel");
        }
    } catch (const ECsvFormatError&) {
    }
    return 0;
}
