#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

// What a file is opened for, and which sharing rule its lock stands for.
enum class FileAccess {
    Read,   // read only; others may read but not write meanwhile (shared lock)
    Append, // read and write at the end of an existing file; no other writer (exclusive lock)
    Create, // create anew, empty, or cut an existing file to zero; no other opener (exclusive)
};

// Why an open failed: the runtime's input/output code and the platform's own text for it.
struct FileFailure {
    int code = 0;
    QString systemText;
};

// An open file that holds the advisory lock of its access until it is closed. The lock keeps
// other openers of this class out, in this process and in others; programs that do not take
// the locks are not held off. A lock held by someone else is waited for up to LockWaitBound().
class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile();
    LockedFile(LockedFile&& other) noexcept;
    LockedFile& operator=(LockedFile&& other) noexcept;
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Opens the file and takes its lock; on failure the file stays closed and, when asked
    // for, the failure is stored. A file that is open already is closed first.
    bool tryOpen(const QString& path, FileAccess access, FileFailure* failure = nullptr);
    // As tryOpen, raising EInOutError on failure.
    void open(const QString& path, FileAccess access);

    bool isOpen() const { return handle_ != closedHandle; }

    // Reads up to size bytes at the current position; 0 at the end. Raises EInOutError.
    std::int64_t read(char* buffer, std::int64_t size);
    // Writes all bytes (at the end when appending). Raises EInOutError; "Disk full" when the
    // disk takes no more bytes.
    void write(QByteArrayView bytes);
    // Moves the read position to a byte offset. Raises EInOutError.
    void seek(std::int64_t position);
    // The file's length in bytes. Raises EInOutError.
    std::int64_t size() const;
    // Cuts or extends the file to length bytes. Raises EInOutError.
    void resize(std::int64_t length);
    // Releases the lock and closes the file, raising EInOutError when closing reports an error.
    void close();

private:
    static constexpr std::intptr_t closedHandle = -1;

    bool openHandle(const QString& path, FileAccess access, FileFailure& failure);
    // Releases the lock and closes the handle without raising; the input/output code of a
    // failure, 0 when none.
    int closeHandle() noexcept;

    std::intptr_t handle_ = closedHandle;
};
