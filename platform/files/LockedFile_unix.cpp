// Sharing rules on Unix: advisory whole-file locks with flock(), which belong to the open
// file description, so two opens conflict even inside one process.
#include "platform/files/LockedFile.h"

#include "platform/files/InOutError.h"
#include "platform/files/LockWait.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

// The runtime's input/output code for a system error number.
int InOutCodeOf(int error) {
    switch (error) {
    case ENOENT:
        return InOutCode::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return InOutCode::PathNotFound;
    case EMFILE:
    case ENFILE:
        return InOutCode::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return InOutCode::AccessDenied;
    case EBUSY:
    case ETXTBSY:
        return InOutCode::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return InOutCode::DiskFull;
    default:
        return InOutCode::GeneralFailure;
    }
}

// The system's text for an error, as a sentence ("No such file or directory").
QString SystemText(int error) {
    QString text = QString::fromLocal8Bit(std::strerror(error));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// A failure to open path: a missing file below a missing folder is a path not found.
FileFailure OpenFailure(int error, const QString& path) {
    int code = InOutCodeOf(error);
    if (error == ENOENT && !QFileInfo(QFileInfo(path).absolutePath()).isDir())
        code = InOutCode::PathNotFound;
    return {code, SystemText(error)};
}

FileFailure SharingViolation() {
    return {InOutCode::SharingViolation, QStringLiteral("The file is locked by another program")};
}

int OpenFlags(FileAccess access) {
    switch (access) {
    case FileAccess::Read:
        return O_RDONLY;
    case FileAccess::Append:
        return O_RDWR | O_APPEND;
    case FileAccess::Create:
        // Not O_TRUNC: the file is cut only once its lock is held.
        return O_WRONLY | O_CREAT;
    }
    return O_RDONLY;
}

int OpenDescriptor(const QString& path, FileAccess access) {
    const QByteArray name = QFile::encodeName(path);
    int descriptor = -1;
    do {
        descriptor = ::open(name.constData(), OpenFlags(access) | O_CLOEXEC | O_NOCTTY, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// 0 when the descriptor is no folder, else the error number (a folder opens for reading).
int RefuseFolder(int descriptor) {
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? EISDIR : 0;
}

// Takes the lock of an access, waiting up to the bound; 0 or the failing error number.
int TakeLock(int descriptor, FileAccess access) {
    const int operation = (access == FileAccess::Read ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int error = 0;
    RetryWithinLockWait([&] {
        error = ::flock(descriptor, operation) == 0 ? 0 : errno;
        return error != EWOULDBLOCK && error != EINTR;
    });
    return error;
}

} // namespace

bool LockedFile::openHandle(const QString& path, FileAccess access, FileFailure& failure) {
    const int descriptor = OpenDescriptor(path, access);
    if (descriptor < 0) {
        failure = OpenFailure(errno, path);
        return false;
    }
    handle_ = descriptor;
    if (const int error = RefuseFolder(descriptor)) {
        failure = OpenFailure(error, path);
        closeHandle();
        return false;
    }
    if (const int error = TakeLock(descriptor, access)) {
        failure =
            error == EWOULDBLOCK || error == EINTR ? SharingViolation() : OpenFailure(error, path);
        closeHandle();
        return false;
    }
    if (access == FileAccess::Create && ::ftruncate(descriptor, 0) != 0) {
        failure = OpenFailure(errno, path);
        closeHandle();
        return false;
    }
    return true;
}

int LockedFile::closeHandle() noexcept {
    if (!isOpen())
        return 0;
    const int descriptor = Descriptor(std::exchange(handle_, closedHandle));
    // Released explicitly, in case a child process started meanwhile shares the description.
    ::flock(descriptor, LOCK_UN);
    if (::close(descriptor) == 0 || errno == EINTR)
        return 0;
    return InOutCodeOf(errno);
}

std::int64_t LockedFile::read(char* buffer, std::int64_t size) {
    if (!isOpen())
        throw InOutError(InOutCode::FileNotOpenForInput);
    ssize_t count = -1;
    do {
        count = ::read(Descriptor(handle_), buffer, static_cast<size_t>(size));
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        throw InOutError(InOutCodeOf(errno));
    return count;
}

void LockedFile::write(QByteArrayView bytes) {
    if (!isOpen())
        throw InOutError(InOutCode::FileNotOpenForOutput);
    const char* data = bytes.data();
    auto left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t count = ::write(Descriptor(handle_), data, left);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw InOutError(InOutCodeOf(errno));
        if (count == 0)
            throw InOutError(InOutCode::DiskFull);
        data += count;
        left -= static_cast<size_t>(count);
    }
}

void LockedFile::seek(std::int64_t position) {
    if (::lseek(Descriptor(handle_), static_cast<off_t>(position), SEEK_SET) < 0)
        throw InOutError(InOutCodeOf(errno));
}

std::int64_t LockedFile::size() const {
    struct stat info {};
    if (::fstat(Descriptor(handle_), &info) != 0)
        throw InOutError(InOutCodeOf(errno));
    return info.st_size;
}

void LockedFile::resize(std::int64_t length) {
    if (::ftruncate(Descriptor(handle_), static_cast<off_t>(length)) != 0)
        throw InOutError(InOutCodeOf(errno));
}
