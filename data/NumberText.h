#pragma once

#include "platform/text/FormatSettings.h"

#include <QStringView>

#include <optional>

// Reads text as a number by the rules every number field applies: spaces (character 32 only)
// around it, an optional "+" or "-", digits with an optional DecimalSeparator (a lone separator
// reads as 0), and an optional exponent "E" or "e" with an optional sign. Any other text, and a
// value beyond the extended range, gives nothing; it never throws.
std::optional<long double> TextToFloat(QStringView text,
                                       const FormatSettings& settings = CurrentFormatSettings());
