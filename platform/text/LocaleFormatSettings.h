#pragma once

#include "platform/text/FormatSettings.h"

#include <QObject>

class QLocale;

// The separators of a locale as one 8-bit character each: the first character of its
// decimal symbol ("." when it has none) and of its grouping symbol ("," when it has none).
FormatSettings FormatSettingsOf(const QLocale& locale);

// Reads the user's separators into the process-wide settings now and again whenever
// the application is told that the regional settings changed.
class LocaleSettingsWatcher : public QObject {
public:
    explicit LocaleSettingsWatcher(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
