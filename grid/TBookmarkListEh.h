#pragma once

#include "data/TBookmark.h"

#include <set>

class TADOQuery;
class TDBGridEhSelection;

// The bookmarks of the selected records, kept sorted by the data set's bookmark comparison and
// without duplicates. It is enabled while the grid's data link is active and emptied whenever
// the link opens or closes. Adding or removing one bookmark costs O(log n), so a range gesture
// over a large result stays fast in either direction.
class TBookmarkListEh {
    // Orders bookmarks as the grid's data set does; the list is emptied whenever the data set
    // changes, so the order of the bookmarks held never changes underneath the set.
    struct Order {
        const TBookmarkListEh* list;
        bool operator()(const TBookmark& a, const TBookmark& b) const;
    };
    using Bookmarks = std::set<TBookmark, Order>;

public:
    using const_iterator = Bookmarks::const_iterator;
    using const_reverse_iterator = Bookmarks::const_reverse_iterator;

    explicit TBookmarkListEh(TDBGridEhSelection& selection) : selection_(selection) {}
    TBookmarkListEh(const TBookmarkListEh&) = delete;
    TBookmarkListEh& operator=(const TBookmarkListEh&) = delete;

    int Count() const { return static_cast<int>(bookmarks_.size()); }
    // The bookmarks in the data set's order.
    const_iterator begin() const { return bookmarks_.begin(); }
    const_iterator end() const { return bookmarks_.end(); }
    const_reverse_iterator rbegin() const { return bookmarks_.rbegin(); }
    const_reverse_iterator rend() const { return bookmarks_.rend(); }

    // Whether the bookmark is listed. The last bookmark looked up and the answer are kept, so
    // painting the cells of one record asks the data set once.
    bool Contains(const TBookmark& bookmark) const;

    // Whether the data set's current record is listed. Fails with "Cannot perform this
    // operation on a closed dataset" while the list is disabled.
    bool CurrentRowSelected() const;
    // Lists or unlists the current record, then updates the selection kind and repaints.
    void SetCurrentRowSelected(bool selected);
    // Unlists a bookmark without updating the selection kind (a batch of removals does that
    // once at its end).
    void Remove(const TBookmark& bookmark);

    // Empties the list (updating the selection kind and repainting when it was not empty).
    void Clear();

    bool Active() const { return active_; }
    // Enables or disables the list with the data link; both empty it.
    void SetActive(bool active);

private:
    TADOQuery& DataSet() const;
    TBookmark CurrentBookmark() const;
    // The first listed bookmark not before the given one, and whether it is that bookmark.
    std::pair<const_iterator, bool> Find(const TBookmark& bookmark) const;
    void Changed();
    void ForgetLookup() const { lookupValid_ = false; }

    TDBGridEhSelection& selection_;
    Bookmarks bookmarks_{Order{this}};
    bool active_ = false;
    // The last lookup: its bookmark, where it is or would go, and whether it was found.
    mutable TBookmark lookupBookmark_;
    mutable const_iterator lookupPosition_;
    mutable bool lookupFound_ = false;
    mutable bool lookupValid_ = false;
};
