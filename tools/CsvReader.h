#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

class QIODevice;

// One field of a CSV record: its bytes with the quoting removed, and whether it was quoted
// (an unquoted empty field and a quoted empty field "" are told apart).
struct CsvField {
    QByteArray bytes;
    bool quoted = false;
};

struct CsvRecord {
    std::vector<CsvField> fields;
    qint64 line = 0; // the line the record begins on, counted from 1
};

// Reads RFC 4180 records: fields separated by commas, records ended by CR LF or LF (the last
// one may lack it), fields in double quotes holding commas, line breaks and doubled quotes.
// A quote inside an unquoted field, text after a closing quote, a quoted field left open and
// a CR without LF outside quotes throw ECsvFormatError.
class CsvReader {
public:
    // Reads a text held in memory, which must outlive the reader.
    explicit CsvReader(QByteArrayView text);
    // Reads from a device a piece of pieceSize bytes at a time, so a large file is never held
    // whole; a failed read throws Exception.
    explicit CsvReader(QIODevice& device, qint64 pieceSize = qint64(1) << 16);

    // Reads the next record into record; false at the end of the text.
    bool next(CsvRecord& record);

private:
    bool atEnd(); // reads the next piece when the current one is used up
    void readPlain(CsvField& field);
    void readQuoted(CsvField& field);
    bool endField(); // true when the field also ended its record

    QIODevice* device_ = nullptr;
    qint64 pieceSize_ = 0;
    QByteArray piece_;    // the piece last read from the device
    QByteArrayView text_; // the text, or the piece, being read
    qsizetype pos_ = 0;
    qint64 line_ = 1;
};
