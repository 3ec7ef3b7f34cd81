#pragma once

#include <QByteArray>

class LockedFile;

// Reads an open file line by line, each line whole, without its line break. CR LF and a lone
// LF end a line; a lone CR is dropped from its line; a last line without a break is a line.
class LineReader {
public:
    explicit LineReader(LockedFile& file) : file_(file) {}

    // Stores the next line; false at the end of the file. Raises EInOutError.
    bool next(QByteArray& line);

private:
    bool fill();

    LockedFile& file_;
    QByteArray buffer_;
    qsizetype position_ = 0;
    bool atEnd_ = false;
};
