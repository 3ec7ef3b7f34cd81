#include "platform/text/Windows1251.h"

#include "platform/Exceptions.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread, opened on first use and reset before each conversion.
UConverter& converter() {
    thread_local Converter instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        Converter opened(ucnv_open("windows-1251", &status));
        if (U_FAILURE(status))
            throw Exception(QStringLiteral("Code page windows-1251 is not available: %1")
                                .arg(QString::fromLatin1(u_errorName(status))));
        ucnv_setSubstChars(opened.get(), "?", 1, &status);
        return opened;
    }();
    ucnv_reset(instance.get());
    return *instance;
}

} // namespace

QByteArray ToWindows1251(QStringView text) {
    QByteArray bytes(text.size() * 2 + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(
        &converter(), bytes.data(), static_cast<int32_t>(bytes.size()),
        reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()), &status);
    bytes.resize(U_FAILURE(status) ? 0 : length);
    return bytes;
}

QString FromWindows1251(QByteArrayView bytes) {
    QString text(bytes.size() + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(&converter(), reinterpret_cast<UChar*>(text.data()),
                                         static_cast<int32_t>(text.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &status);
    text.resize(U_FAILURE(status) ? 0 : length);
    return text;
}
