#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as the views the parsers take.
struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;

    QByteArrayView bytes() const {
        return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    }
    // The bytes read as UTF-8 (invalid sequences become replacement characters, as they do
    // where the program decodes outside text).
    QString text() const { return QString::fromUtf8(bytes()); }
};
