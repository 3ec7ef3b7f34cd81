#include "directory/SearchCacheView.h"

#include "platform/text/LikePattern.h"

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
                                                     const LikePattern& pattern) const {
    return withChanges(cache_->matching(column, pattern), [&](std::uint32_t entry) {
        const FoldedText text = folded(column, entry);
        return !text.isNull && pattern.matchesFolded(text.folded);
    });
}

std::vector<std::uint32_t>
SearchCacheView::matchingAmong(Column column, const LikePattern& pattern,
                               std::span<const std::int64_t> rowids) const {
    // The changed rows are tested whether the index names them or not: LIKE decides.
    return withChanges(cache_->matchingAmong(column, pattern, rowids), [&](std::uint32_t entry) {
        const FoldedText text = folded(column, entry);
        return !text.isNull && pattern.matchesFolded(text.folded);
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
    // A row's place: NULL first, then by sort key, equal keys by rowid.
    struct Place {
        std::optional<std::string_view> key;
        std::int64_t rowid;
        bool operator<(const Place& other) const {
            if (key.has_value() != other.key.has_value()) {
                return !key.has_value();
            }
            if (key && *key != *other.key) {
                return *key < *other.key;
            }
            return rowid < other.rowid;
        }
    };
    const auto placeOf = [this](std::uint32_t entry) {
        if (isChange(entry)) {
            const CacheChanges::Row& row = change(entry);
            return Place{row.nameKey ? std::optional<std::string_view>(*row.nameKey) : std::nullopt,
                         row.rowid};
        }
        return Place{cache_->nameKey(entry), cache_->rowid(entry)};
    };
    std::sort(changed.begin(), changed.end(),
              [&](std::uint32_t a, std::uint32_t b) { return placeOf(a) < placeOf(b); });
    std::vector<std::uint32_t> merged;
    merged.reserve(entries.size() + changed.size());
    std::merge(entries.begin(), entries.end(), changed.begin(), changed.end(),
               std::back_inserter(merged),
               [&](std::uint32_t a, std::uint32_t b) { return placeOf(a) < placeOf(b); });
    entries = std::move(merged);
}
