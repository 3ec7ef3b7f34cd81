#pragma once

#include "platform/files/LockWait.h"
#include "tests/support/WorkingFolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>

// A working-folder test in which a held lock fails at once instead of being waited for.
class HistoryTest : public WorkingFolderTest {
protected:
    void SetUp() override { SetLockWaitBound(std::chrono::milliseconds(0)); }
    void TearDown() override { SetLockWaitBound(previousBound_); }

    QString path(const QString& fileName) const { return folder().historyPath(fileName); }

    // Writes and reads the file's bytes directly, without the locks.
    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray readBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private:
    std::chrono::milliseconds previousBound_ = LockWaitBound();
};
