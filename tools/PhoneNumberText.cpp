#include "tools/PhoneNumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

QByteArray PhoneNumberText(double number) {
    // The longest fixed form of a double (the smallest subnormal) needs under 400 characters.
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    if (error != std::errc()) {
        return {};
    }
    return QByteArray(buffer, end - buffer);
}

std::optional<double> PhoneNumberFromText(QByteArrayView text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    double number = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || std::isnan(number)) {
        return std::nullopt;
    }
    return number;
}
