#include "tools/EntryImport.h"

#include "tools/CsvReader.h"
#include "tools/DirectoryEntry.h"
#include "tools/EntryStore.h"
#include "tools/FolderErrors.h"
#include "tools/PhoneNumberText.h"

#include "platform/db/PgError.h"
#include "platform/db/SqliteDatabase.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

constexpr int kFieldCount = 4;
constexpr qsizetype kMaxTextLength = 255;
// How much of the start of a file is looked at to tell UTF-16 from UTF-8.
constexpr qsizetype kSniffSize = 4096;
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

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// A text that starts with a UTF-16 byte-order mark, or whose first line holds a NUL byte, is
// UTF-16 (or some other wide text), which the reader would only misread.
void RequireUtf8(QByteArrayView start) {
    const bool utf16Mark = start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF");
    const qsizetype lineEnd = start.indexOf('\n');
    const QByteArrayView firstLine = lineEnd < 0 ? start : start.first(lineEnd);
    if (utf16Mark || firstLine.contains('\0')) {
        throw ECsvFormatError(
            1, QStringLiteral("the file is not UTF-8 text (UTF-16?); save it as UTF-8"));
    }
}

qint64 ImportRecords(EntryStore& store, CsvReader& reader) {
    CheckHeader(reader);
    qint64 count = 0;
    store.addAll([&](const EntryStore::Add& add) {
        TextFieldDecoder texts;
        CsvRecord record;
        while (reader.next(record)) {
            add(DecodeEntry(record, texts));
            ++count;
        }
    });
    return count;
}

} // namespace

qint64 ImportEntries(EntryStore& store, QByteArrayView csv) {
    RequireUtf8(csv.first(std::min<qsizetype>(csv.size(), kSniffSize)));
    CsvReader reader(csv.startsWith(kUtf8Mark) ? csv.sliced(kUtf8Mark.size()) : csv);
    return ImportRecords(store, reader);
}

qint64 ImportEntries(EntryStore& store, QIODevice& device) {
    RequireUtf8(device.peek(kSniffSize));
    if (device.peek(kUtf8Mark.size()) == kUtf8Mark) {
        device.skip(kUtf8Mark.size());
    }
    CsvReader reader(device);
    return ImportRecords(store, reader);
}

qint64 ImportEntriesFromFile(EntryStore& store, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(
            QStringLiteral("%1: cannot open the file (%2)").arg(path, file.errorString()));
    }
    try {
        return ImportEntries(store, file);
    } catch (const ECsvFormatError& error) {
        throw ECsvFormatError(error.line(), error.reason(), path);
    } catch (const ESqliteError&) {
        throw;
    } catch (const EPgError&) {
        throw;
    } catch (const Exception& error) {
        throw Exception(QStringLiteral("%1: %2").arg(path, error.message()));
    }
}
