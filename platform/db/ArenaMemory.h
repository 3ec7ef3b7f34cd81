#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Memory for RowStore's blocks. A block of kHugeBlockBytes is laid on one huge page where
// the system offers them (Linux's transparent huge pages), so that copying a result of a
// million rows costs a few dozen page faults instead of tens of thousands; other sizes, and
// systems without huge pages, get ordinary heap memory.
namespace arena {

inline constexpr std::size_t kHugeBlockBytes = std::size_t{2} << 20;

// Releases a block the way it was obtained.
struct Release {
    std::size_t bytes = 0;
    bool mapped = false;
    void operator()(std::uint8_t* block) const noexcept;
};

using Block = std::unique_ptr<std::uint8_t[], Release>;

// An uninitialised block of the given size; throws std::bad_alloc.
Block Allocate(std::size_t bytes);

// The bytes of the blocks now mapped from the system outside the heap, for measurements.
std::size_t MappedBytes() noexcept;

} // namespace arena
