#pragma once

#include <QString>

// The title for a program file name: the name up to its first full stop, first letter in
// upper case and every later letter in lower case ("phonebook" gives "Phonebook").
QString ApplicationTitleFromFileName(const QString& fileName);

// The title of the running program; captions message boxes and the error report.
QString ApplicationTitle();
