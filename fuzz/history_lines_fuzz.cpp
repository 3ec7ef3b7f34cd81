// The history file's line reader, on a file with the fuzzer's bytes.
#include "fuzz/FuzzInput.h"

#include "platform/files/LineReader.h"
#include "platform/files/LockedFile.h"
#include "platform/text/Windows1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("history-fuzz-%1.txt").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        file.write(FuzzInput{data, size}.bytes().toByteArray());
    }
    LockedFile file;
    file.open(path, FileAccess::Read);
    LineReader reader(file);
    QByteArray line;
    qsizetype total = 0;
    while (reader.next(line)) {
        if (line.contains('\n')) {
            __builtin_trap(); // a line never holds its break
        }
        total += FromWindows1251(line).size() + 1;
    }
    if (total > static_cast<qsizetype>(size) + 1) {
        __builtin_trap(); // no more text comes out than went in
    }
    return 0;
}
