#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Writes RFC 4180 records (CR LF after each) to a device. A field is quoted when it holds a
// comma, a quote or a line break, or when quoted is asked for (an empty text that must not
// read back as a missing value). The text is gathered and handed to the device in large
// pieces; a write the device refuses throws Exception with the device's reason, so no
// failure goes unnoticed. Call flush() after the last record.
class CsvWriter {
public:
    explicit CsvWriter(QIODevice& device);

    void addField(QByteArrayView utf8, bool quoted = false);
    void endRecord();
    // Hands what is gathered to the device.
    void flush();

private:
    void flushWhenFull();

    QIODevice& device_;
    QByteArray pending_;
    bool firstField_ = true;
};
