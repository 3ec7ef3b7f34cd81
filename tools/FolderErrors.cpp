#include "tools/FolderErrors.h"

#include <utility>

namespace {

QString LocatedMessage(const QString& file, qint64 line, const QString& reason) {
    const QString location =
        file.isEmpty() ? QString::number(line) : QStringLiteral("%1:%2").arg(file).arg(line);
    return location + QStringLiteral(": ") + reason;
}

} // namespace

ECsvFormatError::ECsvFormatError(qint64 line, QString reason, QString file)
    : Exception(LocatedMessage(file, line, reason)), line_(line), reason_(std::move(reason)) {
}
