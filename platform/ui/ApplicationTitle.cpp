#include "platform/ui/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ApplicationTitleFromFileName(const QString& fileName) {
    QString title = fileName.section(u'.', 0, 0).toLower();
    if (!title.isEmpty())
        title[0] = title[0].toUpper();
    return title;
}

QString ApplicationTitle() {
    return ApplicationTitleFromFileName(
        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}
