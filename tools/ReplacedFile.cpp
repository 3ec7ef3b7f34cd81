#include "tools/ReplacedFile.h"

#include "platform/Exceptions.h"
#include "platform/files/FileSync.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The file a path names: the regular file a symbolic link leads to, the path itself
// otherwise (a link to a pipe, such as /dev/stdout, is written through as it is).
QString ResolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty() && QFileInfo(target).isFile()) {
            return target;
        }
    }
    return path;
}

QString SystemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ReplacedFile::ReplacedFile(const QString& path) : target_(ResolvedTarget(path)) {
    const QFileInfo info(target_);
    if (info.isDir()) {
        fail(QStringLiteral("it is a folder"));
    }
    if (info.exists() && !info.isWritable()) {
        fail(QStringLiteral("no permission to write it")); // a rename would replace it anyway
    }
    if (info.exists() && !info.isFile()) {
        direct_.setFileName(target_);
        if (!direct_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            fail(direct_.errorString());
        }
        return;
    }
    const QFileInfo place(target_);
    temporary_ = std::make_unique<QTemporaryFile>(
        place.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(place.fileName())));
    if (!temporary_->open()) {
        fail(temporary_->errorString());
    }
    // The temporary file gives a fresh name and removes the file unless committed; the text
    // is written unbuffered through a file of its own, so a refused write shows at once.
    temporary_->close();
    direct_.setFileName(temporary_->fileName());
    if (!direct_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(direct_.errorString());
    }
}

ReplacedFile::~ReplacedFile() = default; // QTemporaryFile removes an uncommitted file

QFileDevice& ReplacedFile::device() {
    return direct_;
}

void ReplacedFile::commit() {
    if (!direct_.flush() || direct_.error() != QFileDevice::NoError) {
        fail(direct_.errorString());
    }
    if (temporary_ && !SyncToDisk(direct_)) {
        fail(SystemReason());
    }
    direct_.close();
    if (direct_.error() != QFileDevice::NoError) {
        fail(direct_.errorString());
    }
    if (!temporary_) {
        return;
    }
    // The new file gets the old one's permissions, or those of an ordinary file.
    const QFileInfo old(target_);
    QFile::setPermissions(direct_.fileName(),
                          old.exists() ? old.permissions()
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(direct_.fileName()).toStdString(),
                            QFile::encodeName(target_).toStdString(), error);
    if (error) {
        fail(QString::fromLocal8Bit(error.message().c_str()));
    }
    temporary_->setAutoRemove(false);
}

void ReplacedFile::fail(const QString& reason) const {
    throw Exception(QStringLiteral("%1: cannot write the file (%2)").arg(target_, reason));
}
