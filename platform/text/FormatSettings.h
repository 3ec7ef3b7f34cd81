#pragma once

#include <QChar>

// The two regional number separators every number conversion reads.
struct FormatSettings {
    QChar decimalSeparator{u'.'};
    QChar thousandSeparator{u','}; // a NUL character means no grouping character is written

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};

// The process-wide separators, as last read from the user's regional settings.
const FormatSettings& CurrentFormatSettings();

// Replaces the process-wide separators (start-up, a locale change, tests).
void SetCurrentFormatSettings(const FormatSettings& settings);
