#include "directory/SearchCacheView.h"

#include "directory/FoldedPattern.h"

#include <algorithm>
#include <iterator>

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
    const std::vector<std::uint32_t>& replaced = changes_->replaced();
    if (!replaced.empty()) {
        std::vector<std::uint32_t> kept;
        kept.reserve(found.size());
        std::set_difference(found.begin(), found.end(), replaced.begin(), replaced.end(),
                            std::back_inserter(kept));
        found = std::move(kept);
    }
    std::vector<std::uint32_t> changed;
    const auto first = static_cast<std::uint32_t>(cache_->size());
    for (std::uint32_t i = 0; i < changes_->rows().size(); ++i) {
        if (changes_->rows()[i].present && test(first + i)) {
            changed.push_back(first + i);
        }
    }
    if (changed.empty()) {
        return found;
    }
    std::vector<std::uint32_t> merged;
    merged.reserve(found.size() + changed.size());
    std::merge(found.begin(), found.end(), changed.begin(), changed.end(),
               std::back_inserter(merged),
               [this](std::uint32_t a, std::uint32_t b) { return rowid(a) < rowid(b); });
    return merged;
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
    std::vector<std::uint32_t> merged;
    merged.reserve(entries.size() + changed.size());
    auto next = changed.begin();
    for (const std::uint32_t entry : entries) {
        const std::uint32_t rank = cache_->nameRank(entry);
        for (; next != changed.end() && change(*next).place <= rank; ++next) {
            merged.push_back(*next);
        }
        merged.push_back(entry);
    }
    merged.insert(merged.end(), next, changed.end());
    entries = std::move(merged);
}
