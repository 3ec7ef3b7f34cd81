#include "tools/CsvReader.h"

#include "tools/FolderErrors.h"

#include <QIODevice>

#include <algorithm>

CsvReader::CsvReader(QByteArrayView text) : text_(text) {
}

CsvReader::CsvReader(QIODevice& device, qint64 pieceSize)
    : device_(&device), pieceSize_(std::max<qint64>(pieceSize, 1)) {
}

bool CsvReader::atEnd() {
    if (pos_ < text_.size()) {
        return false;
    }
    if (device_ == nullptr) {
        return true;
    }
    piece_.resize(pieceSize_);
    const qint64 read = device_->read(piece_.data(), pieceSize_);
    if (read < 0) {
        throw Exception(QStringLiteral("cannot read the file (%1)").arg(device_->errorString()));
    }
    piece_.resize(read);
    text_ = piece_;
    pos_ = 0;
    return read == 0;
}

bool CsvReader::next(CsvRecord& record) {
    if (atEnd()) {
        return false;
    }
    record.fields.clear();
    record.line = line_;
    for (;;) {
        CsvField field;
        if (!atEnd() && text_[pos_] == '"') {
            readQuoted(field);
        } else {
            readPlain(field);
        }
        record.fields.push_back(std::move(field));
        if (endField()) {
            return true;
        }
    }
}

void CsvReader::readPlain(CsvField& field) {
    while (!atEnd()) {
        const qsizetype start = pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ',' || c == '\r' || c == '\n') {
                field.bytes += text_.sliced(start, pos_ - start);
                return;
            }
            if (c == '"') {
                throw ECsvFormatError(line_, QStringLiteral("a quote inside an unquoted field"));
            }
            ++pos_;
        }
        field.bytes += text_.sliced(start, pos_ - start);
    }
}

void CsvReader::readQuoted(CsvField& field) {
    const qint64 startLine = line_;
    field.quoted = true;
    ++pos_; // the opening quote
    for (;;) {
        if (atEnd()) {
            throw ECsvFormatError(startLine, QStringLiteral("a quoted field is not closed"));
        }
        const qsizetype quote = text_.indexOf('"', pos_);
        const qsizetype stop = quote < 0 ? text_.size() : quote;
        const QByteArrayView chunk = text_.sliced(pos_, stop - pos_);
        line_ += chunk.count('\n');
        field.bytes += chunk;
        pos_ = stop;
        if (quote < 0) {
            continue; // the field goes on in the next piece
        }
        ++pos_; // the quote
        if (!atEnd() && text_[pos_] == '"') {
            field.bytes += '"'; // a doubled quote stands for one
            ++pos_;
            continue;
        }
        return;
    }
}

bool CsvReader::endField() {
    if (atEnd()) {
        return true;
    }
    const char c = text_[pos_];
    if (c == ',') {
        ++pos_;
        return false;
    }
    if (c == '\n') {
        ++pos_;
        ++line_;
        return true;
    }
    if (c == '\r') {
        ++pos_;
        if (!atEnd() && text_[pos_] == '\n') {
            ++pos_;
            ++line_;
            return true;
        }
        throw ECsvFormatError(line_, QStringLiteral("a carriage return without a line feed"));
    }
    throw ECsvFormatError(line_, QStringLiteral("text after the closing quote of a field"));
}
