#include "platform/db/ArenaMemory.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>

namespace arena {
namespace {

std::atomic<std::size_t> mappedBytes{0};

// Maps bytes aligned to their own size (a huge page), or returns nullptr.
std::uint8_t* MapAligned(std::size_t bytes) {
    // Map twice the size and give back what lies outside the aligned middle.
    void* raw =
        mmap(nullptr, 2 * bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + bytes - 1) & ~(std::uintptr_t{bytes} - 1);
    const std::size_t head = aligned - start;
    if (head > 0) {
        munmap(raw, head);
    }
    munmap(reinterpret_cast<void*>(aligned + bytes), bytes - head);
#if defined(MADV_HUGEPAGE)
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<std::uint8_t*>(aligned);
}

} // namespace

void Release::operator()(std::uint8_t* block) const noexcept {
    if (mapped) {
        munmap(block, bytes);
        mappedBytes -= bytes;
    } else {
        delete[] block;
    }
}

Block Allocate(std::size_t bytes) {
    if (bytes == kHugeBlockBytes) {
        if (std::uint8_t* mapped = MapAligned(bytes)) {
            mappedBytes += bytes;
            return Block(mapped, Release{bytes, true});
        }
    }
    return Block(new std::uint8_t[bytes], Release{bytes, false});
}

std::size_t MappedBytes() noexcept {
    return mappedBytes;
}

} // namespace arena
