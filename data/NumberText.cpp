#include "data/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Exponent digits are read until the exponent reaches this value; a digit left over fails.
constexpr int kExponentReadLimit = 500;

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The number as significant digits times a power of ten.
struct ScaledDigits {
    std::string digits; // without leading zeros
    long long exponent = 0;
};

class NumberTextReader {
public:
    explicit NumberTextReader(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    bool take(QChar c) {
        if (atEnd() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }
    bool takeEither(QChar a, QChar b) { return take(a) || take(b); }
    void skipSpaces() {
        while (take(u' ')) {
        }
    }
    qsizetype position() const { return pos_; }

    // Appends digits to number; returns how many were read.
    qsizetype readDigits(ScaledDigits& number) {
        const qsizetype start = pos_;
        for (; !atEnd() && IsAsciiDigit(text_[pos_]); ++pos_) {
            if (!number.digits.empty() || text_[pos_] != u'0')
                number.digits.push_back(char(text_[pos_].unicode()));
        }
        return pos_ - start;
    }

    // The digits after "E": read while the value stays below the limit.
    long long readExponent() {
        const bool negative = take(u'-');
        if (!negative)
            take(u'+');
        long long value = 0;
        while (value < kExponentReadLimit && !atEnd() && IsAsciiDigit(text_[pos_]))
            value = value * 10 + (text_[pos_++].unicode() - u'0');
        return negative ? -value : value;
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// Digits and exponent to the nearest extended value; nothing when it overflows.
std::optional<long double> ToExtended(const ScaledDigits& number, bool negative) {
    long double value = 0;
    if (!number.digits.empty()) {
        // No decimal point in the text given to strtold, so the C locale's point never matters.
        const std::string ascii = number.digits + 'E' + std::to_string(number.exponent);
        value = std::strtold(ascii.c_str(), nullptr);
        if (std::isinf(value))
            return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace

std::optional<long double> TextToFloat(QStringView text, const FormatSettings& settings) {
    NumberTextReader reader(text);
    reader.skipSpaces();
    const bool negative = reader.take(u'-');
    if (!negative)
        reader.take(u'+');
    const qsizetype start = reader.position();
    ScaledDigits number;
    reader.readDigits(number);
    if (reader.take(settings.decimalSeparator))
        number.exponent -= reader.readDigits(number);
    if (reader.position() == start)
        return std::nullopt;
    if (reader.takeEither(u'E', u'e'))
        number.exponent += reader.readExponent();
    reader.skipSpaces();
    if (!reader.atEnd())
        return std::nullopt;
    return ToExtended(number, negative);
}
