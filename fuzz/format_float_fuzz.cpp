// FormatFloat masks: the first eight bytes are the value, the rest the mask.
#include "fuzz/FuzzInput.h"

#include "data/FormatFloat.h"
#include "platform/Exceptions.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    const QString mask = FuzzInput{data, size}.text();
    try {
        const QString text = FormatFloat(mask, value, FormatSettings{u'.', u','});
        if (text.size() > 255) {
            __builtin_trap(); // the result is at most 255 characters
        }
    } catch (const EConvertError&) {
    }
    return 0;
}
