#pragma once

#include <QString>

#include <cstdint>
#include <variant>

// A value crossing the provider boundary: null, an integer, a double or a 16-bit string.
using AdoVariant = std::variant<std::monostate, std::int64_t, double, QString>;

inline bool IsNull(const AdoVariant& value) {
    return std::holds_alternative<std::monostate>(value);
}

// A recordset's row bookmark. Bookmarks of one recordset compare with CompareBookmarks.
using AdoBookmark = std::int64_t;
