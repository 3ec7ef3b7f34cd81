#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// The 8-bit code page of the directory's own texts and history files.
// A character the code page cannot hold becomes its default character "?".
QByteArray ToWindows1251(QStringView text);

QString FromWindows1251(QByteArrayView bytes);

// The character each of the 256 bytes stands for.
const std::array<char16_t, 256>& Windows1251Characters();
