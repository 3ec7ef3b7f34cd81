#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Every file and folder below a root, by relative path: a file maps to its bytes, a folder
// to "<dir>". Two equal snapshots mean nothing below the root was changed.
QMap<QString, QByteArray> FolderSnapshot(const QString& root);

// Writes bytes to a file, creating its folders; fails the test when it cannot.
void WriteTestFile(const QString& path, const QByteArray& bytes);

QByteArray ReadTestFile(const QString& path);
