#pragma once

#include <QString>

#include <exception>

// The text the error report shows for a message: a full stop is added when the last
// character sorts after "." (so "Done." and "Stop!" stay as they are).
QString ErrorReportText(const QString& message);

// Shows a message in the application error report: captioned with the application title,
// stop icon, one OK button.
void ShowApplicationErrorReport(const QString& message);

// Reports an exception caught at the event boundary; a silent abort is not reported.
void ReportException(const std::exception_ptr& error);
