// The LIKE pattern: the first byte chooses an escape character, the rest is the pattern and
// the value, separated by the first NUL.
#include "platform/text/LikePattern.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char32_t escape = data[0] < 0x80 && data[0] % 2 == 1 ? char32_t(data[0]) : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\0');
    const std::string_view pattern = rest.substr(0, split);
    const std::string_view value = split == std::string_view::npos ? rest : rest.substr(split + 1);
    const LikePattern like(pattern, escape);
    like.matches(value);
    like.matches(pattern);
    return 0;
}
