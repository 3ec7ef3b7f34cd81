#include "tools/CsvWriter.h"

#include "platform/Exceptions.h"

#include <QIODevice>

namespace {

// Text is handed to the device in pieces of about this size.
constexpr qsizetype kPieceSize = 1 << 16;

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
    pending_.reserve(kPieceSize + 1024);
}

void CsvWriter::addField(QByteArrayView utf8, bool quoted) {
    if (!firstField_) {
        pending_ += ',';
    }
    firstField_ = false;
    if (!quoted && !NeedsQuotes(utf8)) {
        pending_ += utf8;
        return;
    }
    pending_ += '"';
    for (const char c : utf8) {
        if (c == '"') {
            pending_ += '"'; // a quote is written twice
        }
        pending_ += c;
    }
    pending_ += '"';
}

void CsvWriter::endRecord() {
    pending_ += "\r\n";
    firstField_ = true;
    flushWhenFull();
}

void CsvWriter::flushWhenFull() {
    if (pending_.size() >= kPieceSize) {
        flush();
    }
}

void CsvWriter::flush() {
    qsizetype done = 0;
    while (done < pending_.size()) {
        const qint64 written = device_.write(pending_.constData() + done, pending_.size() - done);
        if (written <= 0) {
            pending_.clear();
            throw Exception(
                QStringLiteral("cannot write the file (%1)").arg(device_.errorString()));
        }
        done += written;
    }
    pending_.clear();
}
