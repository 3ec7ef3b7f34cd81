#include "tools/EntryImport.h"

#include "tools/CsvReader.h"
#include "tools/DirectoryEntry.h"
#include "tools/EntryTable.h"
#include "tools/FolderErrors.h"
#include "tools/PhoneNumberText.h"

#include "platform/db/SqliteTransaction.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

constexpr int kFieldCount = 4;
constexpr qsizetype kMaxTextLength = 255;
const std::array<QByteArrayView, kFieldCount> kHeader = {"tel", "fio", "Name", "Story"};

void CheckHeader(CsvReader& reader) {
    CsvRecord header;
    if (!reader.next(header)) {
        throw ECsvFormatError(1, QStringLiteral("the header tel,fio,Name,Story is missing"));
    }
    const bool exact =
        header.fields.size() == kHeader.size() &&
        std::equal(kHeader.begin(), kHeader.end(), header.fields.begin(),
                   [](QByteArrayView name, const CsvField& field) { return field.bytes == name; });
    if (!exact) {
        throw ECsvFormatError(1, QStringLiteral("the header is not tel,fio,Name,Story"));
    }
}

// Characters as SQLite counts them: a surrogate pair is one character.
qsizetype CharacterCount(const QString& text) {
    return text.size() -
           std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}

// Decodes text fields strictly: invalid UTF-8 is an error, not a replacement character.
class TextFieldDecoder {
public:
    std::optional<QString> decode(const CsvField& field, const char* column, qint64 line) {
        if (field.bytes.isEmpty() && !field.quoted) {
            return std::nullopt;
        }
        decoder_.resetState();
        QString text = decoder_.decode(field.bytes);
        if (decoder_.hasError()) {
            throw ECsvFormatError(line, QStringLiteral("%1 is not valid UTF-8").arg(column));
        }
        if (text.contains(QChar(0))) {
            throw ECsvFormatError(line, QStringLiteral("%1 holds a NUL character").arg(column));
        }
        if (text.size() > kMaxTextLength && CharacterCount(text) > kMaxTextLength) {
            throw ECsvFormatError(
                line,
                QStringLiteral("%1 is longer than %2 characters").arg(column).arg(kMaxTextLength));
        }
        return text;
    }

private:
    QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

std::optional<double> DecodePhone(const CsvField& field, qint64 line) {
    if (field.bytes.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<double> number = PhoneNumberFromText(field.bytes);
    if (!number) {
        throw ECsvFormatError(
            line,
            QStringLiteral("tel is not a number: \"%1\"").arg(QString::fromUtf8(field.bytes)));
    }
    return number;
}

DirectoryEntry DecodeEntry(const CsvRecord& record, TextFieldDecoder& texts) {
    if (record.fields.size() != kFieldCount) {
        throw ECsvFormatError(record.line, QStringLiteral("expected %1 fields, found %2")
                                               .arg(kFieldCount)
                                               .arg(record.fields.size()));
    }
    DirectoryEntry entry;
    entry.tel = DecodePhone(record.fields[0], record.line);
    entry.fio = texts.decode(record.fields[1], "fio", record.line);
    entry.name = texts.decode(record.fields[2], "Name", record.line);
    entry.story = texts.decode(record.fields[3], "Story", record.line);
    return entry;
}

QByteArrayView WithoutByteOrderMark(QByteArrayView csv) {
    return csv.startsWith("\xEF\xBB\xBF") ? csv.sliced(3) : csv;
}

} // namespace

qint64 ImportEntries(SqliteDatabase& database, QByteArrayView csv) {
    CsvReader reader(WithoutByteOrderMark(csv));
    CheckHeader(reader);
    SqliteTransaction transaction(database);
    EntryInserter inserter(database);
    TextFieldDecoder texts;
    CsvRecord record;
    qint64 count = 0;
    while (reader.next(record)) {
        inserter.insert(DecodeEntry(record, texts));
        ++count;
    }
    transaction.commit();
    return count;
}

qint64 ImportEntriesFromFile(SqliteDatabase& database, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(
            QStringLiteral("%1: cannot open the file (%2)").arg(path, file.errorString()));
    }
    const QByteArray csv = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Exception(
            QStringLiteral("%1: cannot read the file (%2)").arg(path, file.errorString()));
    }
    try {
        return ImportEntries(database, csv);
    } catch (const ECsvFormatError& error) {
        throw ECsvFormatError(error.line(), error.reason(), path);
    }
}
