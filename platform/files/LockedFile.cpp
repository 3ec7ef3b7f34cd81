#include "platform/files/LockedFile.h"

#include "platform/files/InOutError.h"

#include <utility>

LockedFile::~LockedFile() {
    closeHandle();
}

LockedFile::LockedFile(LockedFile&& other) noexcept
    : handle_(std::exchange(other.handle_, closedHandle)) {
}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
    if (this != &other) {
        closeHandle();
        handle_ = std::exchange(other.handle_, closedHandle);
    }
    return *this;
}

bool LockedFile::tryOpen(const QString& path, FileAccess access, FileFailure* failure) {
    closeHandle();
    FileFailure reason;
    if (openHandle(path, access, reason))
        return true;
    if (failure)
        *failure = std::move(reason);
    return false;
}

void LockedFile::open(const QString& path, FileAccess access) {
    FileFailure failure;
    if (!tryOpen(path, access, &failure))
        throw InOutError(failure.code);
}

void LockedFile::close() {
    if (const int code = closeHandle())
        throw InOutError(code);
}
