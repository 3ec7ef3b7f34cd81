#include "platform/text/RussianCollator.h"

#include "platform/Exceptions.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <vector>

#include <climits>

namespace {

template <class View> std::int32_t Length(View text) noexcept {
    return static_cast<std::size_t>(text.size()) > static_cast<std::size_t>(INT32_MAX)
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

RussianCollator::RussianCollator(const RussianCollator& other) {
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(ucol_clone(other.collator_.get(), &status));
    if (U_FAILURE(status) || !collator_) {
        throw Exception(QStringLiteral("Cannot copy the Russian collation: %1")
                            .arg(QString::fromLatin1(u_errorName(status))));
    }
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

void RussianCollator::appendSortKey(std::string_view utf8, std::string& out) const {
    // Ill-formed UTF-8 reads as U+FFFD, as ucol_strcollUTF8 reads it.
    thread_local std::vector<UChar> utf16;
    utf16.resize(utf8.size() + 1);
    std::int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(utf16.data(), static_cast<std::int32_t>(utf16.size()), &length,
                         utf8.data(), Length(utf8), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) {
        out.append(utf8); // cannot happen: the buffer holds any conversion
        out.push_back('\0');
        return;
    }
    appendSortKey(QStringView(utf16.data(), length), out);
}

int RussianCollator::compare(QStringView first, QStringView second) const noexcept {
    if (first == second) {
        return 0;
    }
    const UCollationResult result =
        ucol_strcoll(collator_.get(), reinterpret_cast<const UChar*>(first.utf16()), Length(first),
                     reinterpret_cast<const UChar*>(second.utf16()), Length(second));
    return result == UCOL_LESS ? -1 : result == UCOL_EQUAL ? 0 : 1;
}

void RussianCollator::appendSortKey(QStringView text16, std::string& out) const {
    const auto* text = reinterpret_cast<const UChar*>(text16.utf16());
    const std::int32_t length = Length(text16);
    const std::size_t start = out.size();
    std::int32_t room = length * 4 + 16;
    for (;;) {
        out.resize(start + static_cast<std::size_t>(room));
        const std::int32_t needed =
            ucol_getSortKey(collator_.get(), text, length,
                            reinterpret_cast<std::uint8_t*>(out.data() + start), room);
        if (needed <= room) {
            out.resize(start + static_cast<std::size_t>(needed));
            return;
        }
        room = needed;
    }
}
