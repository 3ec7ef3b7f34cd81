#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A number for each row of a result, 0 until set, in pages made on the first write to them:
// opening a result of ten million rows costs a few kilobytes of page pointers, not forty
// megabytes of zeros written before the first row is shown.
class RowSlots {
public:
    RowSlots() = default;
    explicit RowSlots(std::size_t size) : size_(size), pages_((size + kPage - 1) / kPage) {}

    std::size_t size() const noexcept { return size_; }

    std::uint32_t operator[](std::size_t row) const noexcept {
        const std::unique_ptr<Page>& page = pages_[row / kPage];
        return page ? (*page)[row % kPage] : 0;
    }
    void set(std::size_t row, std::uint32_t value) {
        std::unique_ptr<Page>& page = pages_[row / kPage];
        if (!page) {
            page = std::make_unique<Page>(); // value-initialised: zeros
        }
        (*page)[row % kPage] = value;
    }
    void push_back(std::uint32_t value) {
        if (size_ % kPage == 0) {
            pages_.emplace_back();
        }
        set(size_++, value);
    }

    std::size_t bytesHeld() const noexcept {
        std::size_t bytes = pages_.capacity() * sizeof(std::unique_ptr<Page>);
        for (const std::unique_ptr<Page>& page : pages_) {
            bytes += page ? sizeof(Page) : 0;
        }
        return bytes;
    }

private:
    static constexpr std::size_t kPage = 4096;
    using Page = std::array<std::uint32_t, kPage>;

    std::size_t size_ = 0;
    std::vector<std::unique_ptr<Page>> pages_;
};
