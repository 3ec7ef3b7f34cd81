#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Byte strings held one after another in one block, each known by where it ends: a million
// strings cost their bytes and one offset each, not an allocation each. `Offset` is the type
// of those ends; std::uint32_t halves their room for a block that stays under 4 GiB, and a
// string that would take the block past that throws std::length_error.
template <typename Offset = std::size_t> class PackedStrings {
public:
    std::size_t size() const noexcept { return ends_.size(); }
    bool empty() const noexcept { return ends_.empty(); }
    std::string_view operator[](std::size_t index) const noexcept {
        const Offset first = begin(index);
        return std::string_view(bytes_).substr(first, ends_[index] - first);
    }

    void push_back(std::string_view text) {
        bytes_.append(text);
        close();
    }
    // Writing the next string in place: its bytes are appended to open(), then close() ends it.
    // A string that cannot be kept is taken back out of the block.
    std::string& open() noexcept { return bytes_; }
    void close() {
        try {
            ends_.push_back(checked(bytes_.size()));
        } catch (...) {
            bytes_.resize(ends_.empty() ? 0 : ends_.back());
            throw;
        }
    }
    // Adds every string of `more` after these.
    void append(const PackedStrings& more) {
        const std::size_t offset = bytes_.size();
        checked(offset + more.bytes_.size());
        bytes_ += more.bytes_;
        ends_.reserve(ends_.size() + more.ends_.size());
        for (const Offset end : more.ends_) {
            ends_.push_back(static_cast<Offset>(offset + end));
        }
    }

    // Changes in place, each moving the bytes and ends after the string.
    void insert(std::size_t index, std::string_view text) {
        const Offset at = begin(index);
        ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(index), at);
        replace(index, text);
    }
    void replace(std::size_t index, std::string_view text) {
        const Offset first = begin(index);
        const Offset length = ends_[index] - first;
        checked(bytes_.size() - length + text.size());
        bytes_.replace(first, length, text);
        const auto grown = static_cast<std::ptrdiff_t>(text.size()) - length;
        for (std::size_t later = index; later < ends_.size(); ++later) {
            ends_[later] = static_cast<Offset>(static_cast<std::ptrdiff_t>(ends_[later]) + grown);
        }
    }
    void erase(std::size_t index) {
        replace(index, {});
        ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(index));
    }

    void shrinkToFit() {
        bytes_.shrink_to_fit();
        ends_.shrink_to_fit();
    }
    // The memory held, in bytes.
    std::size_t bytesHeld() const noexcept {
        return bytes_.capacity() + ends_.capacity() * sizeof(Offset);
    }

private:
    Offset begin(std::size_t index) const noexcept { return index == 0 ? 0 : ends_[index - 1]; }
    static Offset checked(std::size_t end) {
        if (end > std::numeric_limits<Offset>::max()) {
            throw std::length_error("The strings do not fit their offsets.");
        }
        return static_cast<Offset>(end);
    }

    std::string bytes_;
    std::vector<Offset> ends_;
};
