#pragma once

#include "tools/DirectoryEntry.h"

#include <functional>

// The table `tel` of a directory, wherever it lives (the folder's file or a server): entries
// are added all together or not at all, and read in `ID` order.
class EntryStore {
public:
    using Add = std::function<void(const DirectoryEntry&)>;
    using Visit = std::function<void(const DirectoryEntry&)>;

    virtual ~EntryStore() = default;

    // Calls fill with a function that adds one entry; the entries are written when fill
    // returns, and none of them when it throws (the exception goes on). The database assigns
    // `ID`.
    virtual void addAll(const std::function<void(const Add&)>& fill) = 0;
    // Calls visit for every entry in `ID` order. A `tel` that is not a number throws
    // Exception.
    virtual void forEach(const Visit& visit) = 0;
};
