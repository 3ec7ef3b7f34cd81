#pragma once

#include "data/TADOQuery.h"

#include <vector>

class TDBGridEhSelection;

// The bookmarks of the selected records, kept sorted by the data set's bookmark comparison and
// without duplicates. It is enabled while the grid's data link is active and emptied whenever
// the link opens or closes.
class TBookmarkListEh {
public:
    explicit TBookmarkListEh(TDBGridEhSelection& selection) : selection_(selection) {}
    TBookmarkListEh(const TBookmarkListEh&) = delete;
    TBookmarkListEh& operator=(const TBookmarkListEh&) = delete;

    int Count() const { return static_cast<int>(bookmarks_.size()); }
    const TBookmark& Item(int index) const {
        return bookmarks_.at(static_cast<std::size_t>(index));
    }

    // Binary search: whether the bookmark is listed, and where it is or would be inserted.
    bool Find(const TBookmark& bookmark, int& index) const;
    bool Contains(const TBookmark& bookmark) const;

    // Whether the data set's current record is listed. Fails with "Cannot perform this
    // operation on a closed dataset" while the list is disabled.
    bool CurrentRowSelected() const;
    // Lists or unlists the current record, then updates the selection kind and repaints.
    void SetCurrentRowSelected(bool selected);

    // Empties the list (updating the selection kind and repainting when it was not empty).
    void Clear();

    bool Active() const { return active_; }
    // Enables or disables the list with the data link; both empty it.
    void SetActive(bool active);

private:
    TADOQuery& DataSet() const;
    TBookmark CurrentBookmark() const;
    void Changed();

    TDBGridEhSelection& selection_;
    std::vector<TBookmark> bookmarks_;
    bool active_ = false;
    // The last search: its bookmark, its index and whether it was found.
    mutable TBookmark cachedBookmark_;
    mutable int cachedIndex_ = 0;
    mutable bool cachedFound_ = false;
    mutable bool cacheValid_ = false;
};
