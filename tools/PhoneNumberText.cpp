#include "tools/PhoneNumberText.h"

#include "data/NumberText.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
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
    // The phone field's own rules, with the point that the CSV form always uses.
    static const FormatSettings kPointSettings{u'.', u','};
    const std::optional<long double> number =
        TextToFloat(QString::fromUtf8(text.data(), text.size()), kPointSettings);
    if (!number || std::fabs(*number) > std::numeric_limits<double>::max()) {
        return std::nullopt;
    }
    return static_cast<double>(*number);
}
