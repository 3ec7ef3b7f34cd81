#include "platform/files/FileSync.h"

#include <QFileDevice>

#include <unistd.h>

bool SyncToDisk(QFileDevice& file) {
    return ::fsync(file.handle()) == 0;
}
