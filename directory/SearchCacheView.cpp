#include "directory/SearchCacheView.h"

#include "directory/FoldedPattern.h"

#include <algorithm>
#include <iterator>

namespace {

// Takes the entries of `gone` (ascending) out of `entries` (ascending), in place.
void EraseSorted(std::vector<std::uint32_t>& entries, const std::vector<std::uint32_t>& gone) {
    auto out = entries.begin();
    auto next = entries.begin();
    for (const std::uint32_t entry : gone) {
        const auto found = std::lower_bound(next, entries.end(), entry);
        out = std::move(next, found, out);
        next = found != entries.end() && *found == entry ? found + 1 : found;
    }
    out = std::move(next, entries.end(), out);
    entries.erase(out, entries.end());
}

// Puts each item before the entry at its position (positions ascending, into the entries as
// they are): a few items into a long list, which is copied once.
void SpliceAt(std::vector<std::uint32_t>& entries, const std::vector<std::uint32_t>& items,
              const std::vector<std::size_t>& positions) {
    if (items.empty()) {
        return;
    }
    std::vector<std::uint32_t> spliced;
    spliced.reserve(entries.size() + items.size());
    std::size_t from = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        spliced.insert(spliced.end(), entries.begin() + static_cast<std::ptrdiff_t>(from),
                       entries.begin() + static_cast<std::ptrdiff_t>(positions[i]));
        spliced.push_back(items[i]);
        from = positions[i];
    }
    spliced.insert(spliced.end(), entries.begin() + static_cast<std::ptrdiff_t>(from),
                   entries.end());
    entries = std::move(spliced);
}

} // namespace

SearchCacheView::SearchCacheView(std::shared_ptr<const TableSearchCache> cache,
                                 std::shared_ptr<const CacheChanges> changes)
    : cache_(std::move(cache)),
      changes_(changes != nullptr ? std::move(changes) : std::make_shared<const CacheChanges>()) {
}

std::size_t SearchCacheView::size() const noexcept {
    return cache_->size() - changes_->replaced().size() + changes_->presentRows();
}

std::int64_t SearchCacheView::rowid(std::uint32_t entry) const noexcept {
    return isChange(entry) ? change(entry).rowid : cache_->rowid(entry);
}

std::int64_t SearchCacheView::lastRowid() const noexcept {
    std::int64_t last = 0;
    const std::vector<std::uint32_t>& replaced = changes_->replaced();
    auto gone = replaced.rbegin();
    for (std::size_t entry = cache_->size(); entry-- > 0;) {
        if (gone != replaced.rend() && *gone == entry) {
            ++gone;
            continue;
        }
        last = cache_->rowid(entry);
        break;
    }
    for (const CacheChanges::Row& row : changes_->rows()) {
        if (row.present) {
            last = std::max(last, row.rowid);
        }
    }
    return last;
}

FoldedText SearchCacheView::folded(Column column, std::uint32_t entry) const noexcept {
    if (!isChange(entry)) {
        return cache_->folded(column, entry);
    }
    const CacheChanges::Row& row = change(entry);
    return {row.isNull[column], row.folded[column]};
}

template <typename Test>
std::vector<std::uint32_t> SearchCacheView::withChanges(std::vector<std::uint32_t> found,
                                                        Test&& test) const {
    EraseSorted(found, changes_->replaced());
    std::vector<std::uint32_t> changed;
    const auto first = static_cast<std::uint32_t>(cache_->size());
    for (std::uint32_t i = 0; i < changes_->rows().size(); ++i) {
        if (changes_->rows()[i].present && test(first + i)) {
            changed.push_back(first + i);
        }
    }
    // Each changed row goes before the first entry found with a larger rowid.
    std::vector<std::size_t> positions;
    positions.reserve(changed.size());
    for (const std::uint32_t entry : changed) {
        const std::int64_t rowidOfChange = change(entry).rowid;
        positions.push_back(static_cast<std::size_t>(
            std::partition_point(
                found.begin(), found.end(),
                [&](std::uint32_t held) { return cache_->rowid(held) < rowidOfChange; }) -
            found.begin()));
    }
    SpliceAt(found, changed, positions);
    return found;
}

std::vector<std::uint32_t> SearchCacheView::matching(Column column,
                                                     const FoldedPattern& pattern) const {
    return withChanges(cache_->matching(column, pattern), [&](std::uint32_t entry) {
        const CacheChanges::Row& row = change(entry);
        return !row.isNull[column] && pattern.matchesUtf8(row.folded[column]);
    });
}

std::vector<std::uint32_t>
SearchCacheView::matchingAmong(Column column, const FoldedPattern& pattern,
                               std::span<const std::int64_t> rowids) const {
    // The changed rows are tested whether the index names them or not: LIKE decides.
    return withChanges(cache_->matchingAmong(column, pattern, rowids), [&](std::uint32_t entry) {
        const CacheChanges::Row& row = change(entry);
        return !row.isNull[column] && pattern.matchesUtf8(row.folded[column]);
    });
}

std::vector<std::uint32_t> SearchCacheView::all() const {
    return withChanges(cache_->all(), [](std::uint32_t) { return true; });
}

void SearchCacheView::sortByName(std::vector<std::uint32_t>& entries) const {
    const auto firstChange = std::stable_partition(
        entries.begin(), entries.end(), [this](std::uint32_t entry) { return !isChange(entry); });
    std::vector<std::uint32_t> changed(firstChange, entries.end());
    entries.erase(firstChange, entries.end());
    cache_->sortByName(entries);
    if (changed.empty()) {
        return;
    }
    // A changed row goes before the cache's entries from its place on; rows of one place are
    // in order of their keys (NULL first), then rowids.
    const auto changedBefore = [this](std::uint32_t a, std::uint32_t b) {
        const CacheChanges::Row& first = change(a);
        const CacheChanges::Row& second = change(b);
        if (first.place != second.place) {
            return first.place < second.place;
        }
        if (first.nameKey.has_value() != second.nameKey.has_value()) {
            return !first.nameKey.has_value();
        }
        if (first.nameKey && *first.nameKey != *second.nameKey) {
            return *first.nameKey < *second.nameKey;
        }
        return first.rowid < second.rowid;
    };
    std::sort(changed.begin(), changed.end(), changedBefore);
    std::vector<std::size_t> positions;
    positions.reserve(changed.size());
    for (const std::uint32_t entry : changed) {
        const std::uint32_t place = change(entry).place;
        positions.push_back(
            static_cast<std::size_t>(std::partition_point(entries.begin(), entries.end(),
                                                          [&](std::uint32_t held) {
                                                              return cache_->nameRank(held) < place;
                                                          }) -
                                     entries.begin()));
    }
    SpliceAt(entries, changed, positions);
}
