#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page of the directory's own texts and history files.
// A character the code page cannot hold becomes its default character "?".
QByteArray ToWindows1251(QStringView text);

QString FromWindows1251(QByteArrayView bytes);
