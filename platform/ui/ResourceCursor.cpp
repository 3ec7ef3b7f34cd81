#include "platform/ui/ResourceCursor.h"

#include <QImage>
#include <QPixmap>

QCursor LoadResourceCursor(const QString& name) {
    const QImage image(QStringLiteral(":/cursors/") + name + QStringLiteral(".png"));
    if (image.isNull())
        throw EResNotFound(QStringLiteral("Cannot load cursor resource"));
    const int hotX = image.text(QStringLiteral("HotSpotX")).toInt();
    const int hotY = image.text(QStringLiteral("HotSpotY")).toInt();
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}
