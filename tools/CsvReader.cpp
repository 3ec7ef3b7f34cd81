#include "tools/CsvReader.h"

#include "tools/FolderErrors.h"

CsvReader::CsvReader(QByteArrayView text) : text_(text) {
}

bool CsvReader::next(CsvRecord& record) {
    if (pos_ >= text_.size()) {
        return false;
    }
    record.fields.clear();
    record.line = line_;
    for (;;) {
        CsvField field;
        if (text_[pos_] == '"') {
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
    const qsizetype start = pos_;
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == ',' || c == '\r' || c == '\n') {
            break;
        }
        if (c == '"') {
            throw ECsvFormatError(line_, QStringLiteral("a quote inside an unquoted field"));
        }
        ++pos_;
    }
    field.bytes = text_.sliced(start, pos_ - start).toByteArray();
}

void CsvReader::readQuoted(CsvField& field) {
    const qint64 startLine = line_;
    field.quoted = true;
    ++pos_; // the opening quote
    for (;;) {
        const qsizetype quote = text_.indexOf('"', pos_);
        if (quote < 0) {
            throw ECsvFormatError(startLine, QStringLiteral("a quoted field is not closed"));
        }
        const QByteArrayView chunk = text_.sliced(pos_, quote - pos_);
        line_ += chunk.count('\n');
        field.bytes += chunk;
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            field.bytes += '"'; // a doubled quote stands for one
            ++pos_;
            continue;
        }
        return;
    }
}

bool CsvReader::endField() {
    if (pos_ >= text_.size()) {
        return true;
    }
    const char c = text_[pos_];
    if (c == ',') {
        ++pos_;
        return false;
    }
    if (c == '\n' || (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')) {
        pos_ += c == '\r' ? 2 : 1;
        ++line_;
        return true;
    }
    if (c == '\r') {
        throw ECsvFormatError(line_, QStringLiteral("a carriage return without a line feed"));
    }
    throw ECsvFormatError(line_, QStringLiteral("text after the closing quote of a field"));
}
