#include "grid/TBookmarkListEh.h"

#include "data/DatabaseError.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhSelection.h"

TADOQuery& TBookmarkListEh::DataSet() const {
    TADOQuery* dataSet = selection_.Grid().DataSet();
    if (!active_ || dataSet == nullptr)
        DatabaseError(DatabaseMessages::kDataSetClosed);
    return *dataSet;
}

TBookmark TBookmarkListEh::CurrentBookmark() const {
    return DataSet().GetBookmark();
}

bool TBookmarkListEh::Find(const TBookmark& bookmark, int& index) const {
    if (cacheValid_ && cachedBookmark_ == bookmark) {
        index = cachedIndex_;
        return cachedFound_;
    }
    const TADOQuery* dataSet = selection_.Grid().DataSet();
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = dataSet != nullptr ? dataSet->CompareBookmarks(Item(middle), bookmark)
                                             : Item(middle).compare(bookmark);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            found = found || order == 0;
        }
    }
    index = low;
    cachedBookmark_ = bookmark;
    cachedIndex_ = low;
    cachedFound_ = found;
    cacheValid_ = true;
    return found;
}

bool TBookmarkListEh::Contains(const TBookmark& bookmark) const {
    int index = 0;
    return Find(bookmark, index);
}

bool TBookmarkListEh::CurrentRowSelected() const {
    return Contains(CurrentBookmark());
}

void TBookmarkListEh::SetCurrentRowSelected(bool selected) {
    const TBookmark bookmark = CurrentBookmark();
    if (bookmark.isEmpty())
        return;
    int index = 0;
    if (Find(bookmark, index) == selected)
        return;
    const auto position = bookmarks_.begin() + index;
    if (selected)
        bookmarks_.insert(position, bookmark);
    else
        bookmarks_.erase(position);
    Changed();
}

void TBookmarkListEh::Clear() {
    if (bookmarks_.empty())
        return;
    bookmarks_.clear();
    Changed();
}

void TBookmarkListEh::SetActive(bool active) {
    bookmarks_.clear();
    cacheValid_ = false;
    active_ = active;
}

void TBookmarkListEh::Changed() {
    cacheValid_ = false;
    selection_.RowsChanged();
}
