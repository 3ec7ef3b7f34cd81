#pragma once

#include "platform/Exceptions.h"

#include <QCursor>
#include <QString>

// A resource the program carries is missing or unreadable.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The cursor of the program's resource ":/cursors/<name>.png", whose hot spot is stored in the
// picture's text fields "HotSpotX" and "HotSpotY" (0 when absent). Raises EResNotFound "Cannot
// load cursor resource" when the picture is missing or unreadable.
QCursor LoadResourceCursor(const QString& name);
