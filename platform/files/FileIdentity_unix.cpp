#include "platform/files/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

std::optional<FileIdentity> IdentityOfFile(const QString& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
}
