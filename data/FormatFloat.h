#pragma once

#include "platform/text/FormatSettings.h"

#include <QString>
#include <QStringView>

// The longest mask FormatFloat accepts; a longer one raises EConvertError.
inline constexpr qsizetype kMaxFormatMaskLength = 224;

// Formats value by a number mask of up to three sections ("positive;negative;zero") with the
// placeholders "0" and "#", a decimal point ".", grouping ",", exponents "E+", "E-", "e+", "e-"
// and quoted literal text. Values the mask cannot place fall back to FloatToStr. The result is
// at most 255 characters.
QString FormatFloat(QStringView mask, long double value,
                    const FormatSettings& settings = CurrentFormatSettings());
