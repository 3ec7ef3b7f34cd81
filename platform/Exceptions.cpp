#include "platform/Exceptions.h"

#include <utility>

Exception::Exception(QString message)
    : message_(std::move(message)), utf8_(message_.toStdString()) {
}

EAbort::EAbort() : Exception(QStringLiteral("Operation aborted")) {
}

EOverflow::EOverflow() : Exception(QStringLiteral("Floating point overflow")) {
}

EInOutError::EInOutError(QString message, int errorCode)
    : Exception(std::move(message)), errorCode_(errorCode) {
}

EOleSysError::EOleSysError(QString message, long errorCode)
    : Exception(std::move(message)), errorCode_(errorCode) {
}

EOleException::EOleException(QString message, long errorCode, QString source, QString helpFile)
    : EOleSysError(std::move(message), errorCode), source_(std::move(source)),
      helpFile_(std::move(helpFile)) {
}
