#include "data/FieldType.h"

#include <array>

namespace {

// In the order of TFieldType.
constexpr std::array<const char*, ftWideMemo + 1> kNames = {
    "Unknown",  "String", "Smallint",      "Integer",   "Word",       "Boolean",  "Float",
    "Currency", "BCD",    "Date",          "Time",      "DateTime",   "Bytes",    "VarBytes",
    "AutoInc",  "Blob",   "Memo",          "FixedChar", "WideString", "Largeint", "Variant",
    "Guid",     "FMTBcd", "FixedWideChar", "WideMemo",
};

} // namespace

QString FieldTypeName(TFieldType type) {
    return QString::fromLatin1(kNames.at(static_cast<std::size_t>(type)));
}
