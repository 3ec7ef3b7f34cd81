#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The plain decimal text of a phone number, the shortest that reads back as the same double:
// 23456 (never 23456.0 or 2.3456e+04), 123.25.
QByteArray PhoneNumberText(double number);

// The number a text holds: plain or exponent notation, an optional minus sign, nothing
// else (no spaces, no plus sign). Empty when it is no number, NaN, or out of range.
std::optional<double> PhoneNumberFromText(QByteArrayView text);
