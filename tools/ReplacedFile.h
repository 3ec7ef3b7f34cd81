#pragma once

#include <QFile>
#include <QString>

#include <memory>

class QTemporaryFile;

// Writes a file anew so that it is never left half-written: the text goes to a temporary file
// beside the target, which is put on the disk, closed and renamed over the target only when
// every write succeeded. Until commit() the target is untouched; a replacement dropped
// without commit() removes its temporary file. A target that is not a regular file (a
// device such as /dev/stdout, a pipe) cannot be replaced and is written directly. A symbolic
// link is followed: the file it names is replaced. Every failure throws Exception naming the
// target and the system's reason.
class ReplacedFile {
public:
    explicit ReplacedFile(const QString& path);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // The device to write to; its writes are unbuffered, so a refused write fails at once.
    QFileDevice& device();
    // Puts the text on the disk, closes it and renames it over the target.
    void commit();

private:
    [[noreturn]] void fail(const QString& reason) const;

    QString target_;
    std::unique_ptr<QTemporaryFile> temporary_; // none when the target is written directly
    QFile direct_;                              // the file written: the temporary or the target
};
