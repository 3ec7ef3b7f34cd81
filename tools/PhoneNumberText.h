#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The plain decimal text of a phone number, the shortest that reads back as the same double:
// 23456 (never 23456.0 or 2.3456e+04), 123.25.
QByteArray PhoneNumberText(double number);

// The number a text holds, read by the rules the program's phone field applies to typed
// text, with a point as the decimal separator: blanks around it, an optional sign, digits with
// an optional point and exponent. Empty for any other text (inf, NaN, hexadecimal) and for a
// value beyond the range of a double.
std::optional<double> PhoneNumberFromText(QByteArrayView text);
