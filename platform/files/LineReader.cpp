#include "platform/files/LineReader.h"

#include "platform/files/LockedFile.h"

namespace {

constexpr qsizetype readChunk = 64 * 1024;

} // namespace

bool LineReader::fill() {
    if (atEnd_)
        return false;
    buffer_.resize(readChunk);
    const auto count = file_.read(buffer_.data(), readChunk);
    buffer_.resize(static_cast<qsizetype>(count));
    position_ = 0;
    atEnd_ = count == 0;
    return !atEnd_;
}

bool LineReader::next(QByteArray& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (position_ == buffer_.size() && !fill())
            break;
        any = true;
        const qsizetype end = buffer_.indexOf('\n', position_);
        const qsizetype stop = end < 0 ? buffer_.size() : end;
        line.append(buffer_.constData() + position_, stop - position_);
        position_ = end < 0 ? stop : end + 1;
        if (end >= 0)
            break;
    }
    // The CR of a CR LF belongs to the break; a lone CR is dropped.
    line.removeIf([](char byte) { return byte == '\r'; });
    return any;
}
