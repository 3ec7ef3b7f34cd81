#include "grid/TBookmarkListEh.h"

#include "data/DatabaseError.h"
#include "data/TADOQuery.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhSelection.h"

bool TBookmarkListEh::Order::operator()(const TBookmark& a, const TBookmark& b) const {
    const TADOQuery* dataSet = list->selection_.Grid().DataSet();
    return dataSet != nullptr ? dataSet->CompareBookmarks(a, b) < 0 : a < b;
}

TADOQuery& TBookmarkListEh::DataSet() const {
    TADOQuery* dataSet = selection_.Grid().DataSet();
    if (!active_ || dataSet == nullptr)
        DatabaseError(DatabaseMessages::kDataSetClosed);
    return *dataSet;
}

TBookmark TBookmarkListEh::CurrentBookmark() const {
    return DataSet().GetBookmark();
}

std::pair<TBookmarkListEh::const_iterator, bool>
TBookmarkListEh::Find(const TBookmark& bookmark) const {
    if (!lookupValid_ || lookupBookmark_ != bookmark) {
        lookupBookmark_ = bookmark;
        lookupPosition_ = bookmarks_.lower_bound(bookmark);
        lookupFound_ = lookupPosition_ != bookmarks_.end() &&
                       !bookmarks_.key_comp()(bookmark, *lookupPosition_);
        lookupValid_ = true;
    }
    return {lookupPosition_, lookupFound_};
}

bool TBookmarkListEh::Contains(const TBookmark& bookmark) const {
    return !bookmarks_.empty() && Find(bookmark).second;
}

bool TBookmarkListEh::CurrentRowSelected() const {
    return Contains(CurrentBookmark());
}

void TBookmarkListEh::SetCurrentRowSelected(bool selected) {
    const TBookmark bookmark = CurrentBookmark();
    if (bookmark.isEmpty())
        return;
    const auto [position, found] = Find(bookmark);
    if (found == selected)
        return;
    if (selected)
        bookmarks_.insert(position, bookmark);
    else
        bookmarks_.erase(position);
    Changed();
}

void TBookmarkListEh::Remove(const TBookmark& bookmark) {
    ForgetLookup();
    bookmarks_.erase(bookmark);
}

void TBookmarkListEh::Clear() {
    if (bookmarks_.empty())
        return;
    bookmarks_.clear();
    Changed();
}

void TBookmarkListEh::SetActive(bool active) {
    bookmarks_.clear();
    ForgetLookup();
    active_ = active;
}

void TBookmarkListEh::Changed() {
    ForgetLookup();
    selection_.RowsChanged();
}
