#include "platform/db/ArenaMemory.h"

// Systems without a huge-page interface here: every block is ordinary heap memory.
namespace arena {

void Release::operator()(std::uint8_t* block) const noexcept {
    delete[] block;
}

Block Allocate(std::size_t bytes) {
    return Block(new std::uint8_t[bytes], Release{bytes, false});
}

std::size_t MappedBytes() noexcept {
    return 0;
}

} // namespace arena
