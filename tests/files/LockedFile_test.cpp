#include "platform/files/InOutError.h"
#include "platform/files/LockedFile.h"
#include "tests/files/HistoryTest.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

const char* AccessName(FileAccess access) {
    switch (access) {
    case FileAccess::Read:
        return "read";
    case FileAccess::Append:
        return "append";
    case FileAccess::Create:
        return "create";
    }
    return "?";
}

// A second process holding a lock on a file, until it is released or destroyed.
class LockHolder {
public:
    LockHolder(const QString& path, FileAccess access) {
        process_.start(QStringLiteral(HISTORY_LOCK_HOLDER),
                       {path, QString::fromLatin1(AccessName(access))});
    }
    ~LockHolder() {
        release();
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(waitMs);
        }
    }

    // The holder's first line: "locked" once it holds the lock, or "failed CODE".
    QByteArray report() {
        if (!process_.waitForStarted(waitMs))
            return "not started";
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(waitMs))
                return "no answer";
        }
        return process_.readLine().trimmed();
    }
    void release() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.closeWriteChannel();
        process_.waitForFinished(waitMs);
    }

private:
    // Generous: only a broken holder ever waits this long.
    static constexpr int waitMs = 30000;
    QProcess process_;
};

struct ContentionCase {
    FileAccess held;
    FileAccess tried;
    bool allowed;
};

void PrintTo(const ContentionCase& c, std::ostream* stream) {
    *stream << AccessName(c.held) << " then " << AccessName(c.tried);
}

class LockContention : public HistoryTest, public testing::WithParamInterface<ContentionCase> {
protected:
    // Tries the second open while the first is held, then again once it is released.
    template <typename Hold, typename Release> void check(Hold hold, Release release) {
        const auto& [held, tried, allowed] = GetParam();
        const QString file = path(QStringLiteral("tel.txt"));
        hold(file, held);
        if (HasFatalFailure())
            return;
        LockedFile second;
        FileFailure failure;
        EXPECT_EQ(second.tryOpen(file, tried, &failure), allowed);
        if (!allowed) {
            EXPECT_EQ(failure.code, InOutCode::SharingViolation);
        }
        EXPECT_EQ(second.isOpen(), allowed);
        second.close();
        release();
        EXPECT_TRUE(second.tryOpen(file, tried)) << "after the first lock is released";
    }
};

TEST_P(LockContention, WithinOneProcess) {
    LockedFile first;
    check([&](const QString& file, FileAccess access) { first.open(file, access); },
          [&] { first.close(); });
}

TEST_P(LockContention, BetweenTwoProcesses) {
    std::optional<LockHolder> holder;
    check(
        [&](const QString& file, FileAccess access) {
            holder.emplace(file, access);
            ASSERT_EQ(holder->report(), QByteArray("locked"));
        },
        [&] { holder->release(); });
}

INSTANTIATE_TEST_SUITE_P(
    Accesses, LockContention,
    testing::Values(ContentionCase{FileAccess::Read, FileAccess::Read, true},
                    ContentionCase{FileAccess::Read, FileAccess::Append, false},
                    ContentionCase{FileAccess::Read, FileAccess::Create, false},
                    ContentionCase{FileAccess::Append, FileAccess::Read, false},
                    ContentionCase{FileAccess::Append, FileAccess::Append, false},
                    ContentionCase{FileAccess::Create, FileAccess::Read, false},
                    ContentionCase{FileAccess::Create, FileAccess::Create, false}),
    [](const auto& test) {
        const auto capitalised = [](const char* name) {
            std::string text(name);
            text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
            return text;
        };
        return capitalised(AccessName(test.param.held)) + "Then" +
               capitalised(AccessName(test.param.tried));
    });

using LockedFileOpen = HistoryTest;

TEST_F(LockedFileOpen, FailuresCarryTheRuntimeCodes) {
    struct Case {
        FileAccess access;
        const char* path; // below the working folder
        int code;
    };
    const Case cases[] = {
        {FileAccess::Read, "History/none.txt", InOutCode::FileNotFound},
        {FileAccess::Append, "History/none.txt", InOutCode::FileNotFound},
        {FileAccess::Read, "Missing/tel.txt", InOutCode::PathNotFound},
        {FileAccess::Append, "Missing/tel.txt", InOutCode::PathNotFound},
        {FileAccess::Create, "Missing/tel.txt", InOutCode::PathNotFound},
        {FileAccess::Read, "History/tel.txt/x", InOutCode::PathNotFound},
        {FileAccess::Create, "History/tel.txt/x", InOutCode::PathNotFound},
        {FileAccess::Read, "History", InOutCode::AccessDenied},
        {FileAccess::Append, "History", InOutCode::AccessDenied},
        {FileAccess::Create, "History", InOutCode::AccessDenied},
    };
    for (const auto& [access, relative, code] : cases) {
        const QString file = QDir(folder().path()).filePath(QString::fromLatin1(relative));
        const bool existed = QFileInfo::exists(file);
        LockedFile opened;
        try {
            opened.open(file, access);
            ADD_FAILURE() << AccessName(access) << " " << relative << " opened";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.errorCode(), code) << AccessName(access) << " " << relative;
        }
        EXPECT_FALSE(opened.isOpen());
        EXPECT_EQ(QFileInfo::exists(file), existed) << relative;
    }
}

TEST_F(LockedFileOpen, CreateCutsAnExistingFileOnlyOnceItHoldsTheLock) {
    const QString file = path(QStringLiteral("tel.txt"));
    writeBytes(file, "123\r\n");
    LockedFile reader;
    reader.open(file, FileAccess::Read);
    EXPECT_FALSE(LockedFile().tryOpen(file, FileAccess::Create));
    EXPECT_EQ(readBytes(file), QByteArray("123\r\n"));
    reader.close();
    LockedFile creator;
    creator.open(file, FileAccess::Create);
    EXPECT_EQ(readBytes(file), QByteArray());
}

} // namespace
