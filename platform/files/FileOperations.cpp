#include "platform/files/FileOperations.h"

#include "platform/Exceptions.h"
#include "platform/files/LockedFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype readChunk = 64 * 1024;

QString FullPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// What ends the file's last line, when it is not ended yet: LF after a lone CR, else CR LF.
QByteArray BreakAfter(LockedFile& file, std::int64_t length) {
    if (length == 0)
        return {};
    char last = '\n';
    file.seek(length - 1);
    file.read(&last, 1);
    if (last == '\n')
        return {};
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

QByteArray ReadWholeFile(const QString& path) {
    LockedFile file;
    FileFailure failure;
    if (!file.tryOpen(path, FileAccess::Read, &failure))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(FullPath(path), failure.systemText));
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(file.size()) + 1);
    for (;;) {
        const qsizetype filled = bytes.size();
        bytes.resize(filled + readChunk);
        const auto count = file.read(bytes.data() + filled, readChunk);
        bytes.resize(filled + static_cast<qsizetype>(count));
        if (count == 0)
            break;
    }
    file.close();
    return bytes;
}

void AppendLine(const QString& path, QByteArrayView line) {
    LockedFile file;
    file.open(path, FileAccess::Append);
    const auto length = file.size();
    const QByteArray bytes = BreakAfter(file, length) + line.toByteArray() + "\r\n";
    try {
        file.write(bytes);
    } catch (const EInOutError&) {
        // A half-written line would join the next appended one; take it back.
        try {
            file.resize(length);
        } catch (const EInOutError&) {
        }
        throw;
    }
    file.close();
}

void CreateEmptyFile(const QString& path) {
    LockedFile file;
    file.open(path, FileAccess::Create);
    file.close();
}
