#pragma once

#include <QChar>
#include <QString>

#include <string_view>

// The fixed buffer the number formatters write into; the text is copied out once at the end.
// Characters beyond the capacity are dropped.
class TextBuffer {
public:
    static constexpr int kCapacity = 255;

    void put(char16_t c) {
        if (size_ < kCapacity)
            chars_[size_++] = c;
    }
    void put(QChar c) { put(c.unicode()); }
    void put(std::string_view ascii) {
        for (char c : ascii)
            put(char16_t(c));
    }
    // Writes value in decimal with at least minDigits digits (leading zeros).
    void putNumber(int value, int minDigits = 1);

    QString text() const { return QString(reinterpret_cast<const QChar*>(chars_), size_); }

private:
    char16_t chars_[kCapacity + 1];
    int size_ = 0;
};

inline void TextBuffer::putNumber(int value, int minDigits) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < minDigits);
    while (count > 0)
        put(char16_t(digits[--count]));
}
