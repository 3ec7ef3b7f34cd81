#include "platform/db/RussianCollator.h"

#include "platform/Exceptions.h"

#include <unicode/ucol.h>

#include <climits>

namespace {

std::int32_t Length(std::string_view text) noexcept {
    return text.size() > static_cast<std::size_t>(INT32_MAX)
               ? INT32_MAX
               : static_cast<std::int32_t>(text.size());
}

} // namespace

void RussianCollator::Closer::operator()(UCollator* collator) const noexcept {
    ucol_close(collator);
}

RussianCollator::RussianCollator() {
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(ucol_open("ru", &status));
    if (U_FAILURE(status) || !collator_) {
        throw Exception(QStringLiteral("Cannot create the Russian collation: %1")
                            .arg(QString::fromLatin1(u_errorName(status))));
    }
    ucol_setStrength(collator_.get(), UCOL_SECONDARY);
}

RussianCollator::~RussianCollator() = default;

int RussianCollator::compare(std::string_view first, std::string_view second) const noexcept {
    if (first == second) {
        return 0;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = ucol_strcollUTF8(collator_.get(), first.data(), Length(first),
                                                     second.data(), Length(second), &status);
    if (U_FAILURE(status)) {
        return first < second ? -1 : 1; // cannot happen for valid arguments; keep an order
    }
    return result == UCOL_LESS ? -1 : result == UCOL_EQUAL ? 0 : 1;
}
