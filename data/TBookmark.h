#pragma once

#include <QByteArray>

// A record's bookmark as an opaque byte string; empty when there is none. Compare two with
// TADOQuery::CompareBookmarks.
using TBookmark = QByteArray;
