#include "tools/CsvWriter.h"

#include <QByteArray>
#include <QIODevice>

namespace {

bool NeedsQuotes(QByteArrayView text) {
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

} // namespace

CsvWriter::CsvWriter(QIODevice& device) : device_(device) {
}

void CsvWriter::addField(QByteArrayView utf8, bool quoted) {
    if (!firstField_) {
        device_.putChar(',');
    }
    firstField_ = false;
    if (!quoted && !NeedsQuotes(utf8)) {
        device_.write(utf8.data(), utf8.size());
        return;
    }
    QByteArray text = utf8.toByteArray();
    text.replace('"', QByteArrayView("\"\""));
    device_.putChar('"');
    device_.write(text);
    device_.putChar('"');
}

void CsvWriter::endRecord() {
    device_.write("\r\n", 2);
    firstField_ = true;
}
