#include "app/SearchHistory.h"

#include "platform/files/FileOperations.h"
#include "platform/files/InOutError.h"
#include "platform/files/LineReader.h"
#include "platform/files/LockedFile.h"
#include "platform/text/Windows1251.h"
#include "platform/ui/DialogService.h"

#include <QDir>

namespace {

QString OpenFailedText() {
    return QStringLiteral("Ошибка открытия файла!");
}

// The number of lines of the file that hold exactly these bytes.
int CountLines(LockedFile& file, const QByteArray& bytes) {
    LineReader lines(file);
    QByteArray line;
    int count = 0;
    while (lines.next(line)) {
        if (line == bytes)
            ++count;
    }
    return count;
}

} // namespace

QString HistoryPath(const QString& fileName) {
    return QDir::toNativeSeparators(
        QDir::current().filePath(QStringLiteral("History/") + fileName));
}

TextLines LoadHistory(const QString& path) {
    QByteArray bytes = ReadWholeFile(path);
    // The text ends at a zero byte.
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes.truncate(zero);
    return TextLines::split(FromWindows1251(bytes));
}

bool RecordSearchText(const QString& path, const QString& text) {
    const QByteArray bytes = ToWindows1251(text);
    LockedFile file;
    if (!file.tryOpen(path, FileAccess::Read)) {
        // The scan of a file that is not open fails as reading a file not open for input.
        ShowPlainMessage(OpenFailedText());
        throw InOutError(InOutCode::FileNotOpenForInput);
    }
    const int count = CountLines(file, bytes);
    file.close();
    if (count != 0)
        return false;
    AppendLine(path, bytes);
    return true;
}

void ClearHistoryFile(const QString& path) {
    LockedFile file;
    if (!file.tryOpen(path, FileAccess::Read))
        ShowPlainMessage(OpenFailedText());
    file.close();
    CreateEmptyFile(path);
}
