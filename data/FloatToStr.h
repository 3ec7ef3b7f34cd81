#pragma once

#include "platform/text/FormatSettings.h"

#include <QString>

// The general number format: 15 significant digits, an exponent only for very large or very
// small values, "INF", "-INF" and "NAN" for the values without digits.
QString FloatToStr(long double value, const FormatSettings& settings = CurrentFormatSettings());
