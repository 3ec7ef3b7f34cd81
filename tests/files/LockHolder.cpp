// history_lock_holder PATH read|append|create
// Opens PATH with the given access and holds its lock until standard input ends. Prints
// "locked" once the lock is held, or "failed CODE" with the input/output code.
#include "platform/files/LockWait.h"
#include "platform/files/LockedFile.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

bool ParseAccess(const char* name, FileAccess& access) {
    const std::pair<const char*, FileAccess> names[] = {
        {"read", FileAccess::Read}, {"append", FileAccess::Append}, {"create", FileAccess::Create}};
    for (const auto& [text, value] : names) {
        if (std::strcmp(name, text) == 0) {
            access = value;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    FileAccess access{};
    if (argc != 3 || !ParseAccess(argv[2], access)) {
        std::fprintf(stderr, "usage: history_lock_holder PATH read|append|create\n");
        return 2;
    }
    SetLockWaitBound(std::chrono::milliseconds(0));
    LockedFile file;
    FileFailure failure;
    if (!file.tryOpen(QString::fromLocal8Bit(argv[1]), access, &failure)) {
        std::printf("failed %d\n", failure.code);
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
