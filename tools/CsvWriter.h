#pragma once

#include <QByteArrayView>

class QIODevice;

// Writes RFC 4180 records (CR LF after each) to a device. A field is quoted when it holds a
// comma, a quote or a line break, or when quoted is asked for (an empty text that must not
// read back as a missing value).
class CsvWriter {
public:
    explicit CsvWriter(QIODevice& device);

    void addField(QByteArrayView utf8, bool quoted = false);
    void endRecord();

private:
    QIODevice& device_;
    bool firstField_ = true;
};
