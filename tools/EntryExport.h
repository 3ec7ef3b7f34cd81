#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;
class EntryStore;

// Writes every entry of the table `tel`, in `ID` order, as UTF-8 CSV in the form that
// ImportEntries reads: the header "tel,fio,Name,Story" and one record per entry, each ended
// by CR LF; `tel` as plain number text (23456), empty for no phone; a NULL text as an empty
// field and an empty text as "". Returns the number of entries written. A write the device
// refuses throws Exception.
qint64 ExportEntries(EntryStore& store, QIODevice& device);

// The same into a file, which is replaced only when the whole export succeeded (see
// ReplacedFile); a failed export leaves the file as it was. Every write failure throws
// Exception naming the file.
qint64 ExportEntriesToFile(EntryStore& store, const QString& path);
