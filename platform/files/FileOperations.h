#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Whole-file operations under the sharing rules of LockedFile. Each opens the file for the
// one operation and closes it before returning, on every path.

// Reads the whole file while denying writers. A failure to open it raises EFOpenError
// "Cannot open file "<full path>". <system text>"; a failure to read raises EInOutError.
QByteArray ReadWholeFile(const QString& path);

// Writes line and CR LF at the end of an existing file while denying other writers. A last
// line without its break is ended first, so the new line never joins it. Raises
// EInOutError; when the write fails part way the file is cut back to its former length.
void AppendLine(const QString& path, QByteArrayView line);

// Creates the file anew, empty, cutting an existing one to length zero; its folder must
// exist ("Invalid filename" otherwise). Raises EInOutError.
void CreateEmptyFile(const QString& path);
