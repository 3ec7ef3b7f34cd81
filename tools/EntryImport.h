#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;
class EntryStore;

// Adds the entries of a UTF-8 CSV text to the table `tel`, all together, and returns
// their number. The text starts with the header "tel,fio,Name,Story" (a byte-order mark
// before it is skipped); then one record per entry: an empty `tel` is no phone, otherwise a
// number; an unquoted empty text field is NULL and a quoted empty one ("") an empty text.
// A malformed line (syntax, field count, a `tel` that is no number, a text that is not UTF-8,
// holds a NUL or has more than 255 characters) throws ECsvFormatError and nothing is written;
// so does a UTF-16 text ("not UTF-8 text"). `tel` reads as the program's phone field reads
// its text, with a point as the decimal separator.
qint64 ImportEntries(EntryStore& store, QByteArrayView csv);

// The same, reading the device a piece at a time.
qint64 ImportEntries(EntryStore& store, QIODevice& device);

// The same for a file; a malformed line's message names the file. A file that cannot be
// read throws Exception.
qint64 ImportEntriesFromFile(EntryStore& store, const QString& path);
