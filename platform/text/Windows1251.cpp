#include "platform/text/Windows1251.h"

#include "platform/Exceptions.h"

#include <unicode/ucnv.h>

#include <array>
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

// Windows-1251 is a single-byte code page: each byte stands for one character whatever its
// neighbours, so the converter's own reading of the 256 bytes, made once, decodes a whole text
// alike and many times quicker (a year's history is megabytes).
const std::array<char16_t, 256>& Windows1251Characters() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> characters{};
        for (int byte = 0; byte < 256; ++byte) {
            const char single = static_cast<char>(byte);
            UChar decoded[4] = {};
            UErrorCode status = U_ZERO_ERROR;
            const int32_t length = ucnv_toUChars(&converter(), decoded, 4, &single, 1, &status);
            if (U_FAILURE(status) || length != 1)
                throw Exception(QStringLiteral("Code page windows-1251 reads byte %1 as %2 "
                                               "characters")
                                    .arg(byte)
                                    .arg(length));
            characters[static_cast<std::size_t>(byte)] = decoded[0];
        }
        return characters;
    }();
    return table;
}

QString FromWindows1251(QByteArrayView bytes) {
    const std::array<char16_t, 256>& table = Windows1251Characters();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes)
        *out++ = table[static_cast<unsigned char>(byte)];
    return text;
}
