#include "platform/text/TextLines.h"

TextLines TextLines::split(QString text) {
    TextLines lines;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        lines.spans_.push_back({start, end - start});
        if (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    lines.block_ = std::move(text);
    return lines;
}

TextLines TextLines::of(const QStringList& lines) {
    TextLines result;
    for (const QString& line : lines) {
        result.spans_.push_back({result.block_.size(), line.size()});
        result.block_ += line;
    }
    return result;
}

QStringList TextLines::toStringList() const {
    QStringList lines;
    lines.reserve(size());
    for (qsizetype line = 0; line < size(); ++line)
        lines.append(at(line).toString());
    return lines;
}
