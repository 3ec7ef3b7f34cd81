#pragma once

#include <QString>
#include <QStringList>

#include "platform/text/TextLines.h"

// The search history files: one search text per line, Windows-1251, CR LF line ends.

// The path of a history file ("tel.txt", "user.txt", "street.txt") below `History` in the
// current directory, with the platform's separators.
QString HistoryPath(const QString& fileName);

// The file's lines as history items, in file order. CR LF, a lone LF and a lone CR each end
// a line, an empty line is an empty item, a break at the very end adds no item, and a zero
// byte ends the text. Raises EFOpenError when the file cannot be opened.
TextLines LoadHistory(const QString& path);

// Appends the text and CR LF to the file unless a line holds exactly the text's bytes; true
// when it appended. When the file cannot be opened for the scan, shows "Ошибка открытия
// файла!" and raises EInOutError 104; a failed append raises EInOutError.
bool RecordSearchText(const QString& path, const QString& text);

// Makes the file empty, creating it when missing. When it cannot be opened first, shows
// "Ошибка открытия файла!" and goes on; a failure to create it raises EInOutError.
void ClearHistoryFile(const QString& path);
