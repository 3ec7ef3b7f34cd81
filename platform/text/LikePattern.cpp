#include "platform/text/LikePattern.h"

#include "platform/text/Utf8CaseFold.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kNoMatch = std::string_view::npos;

bool IsContinuation(char byte) noexcept {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The escape character as folded UTF-8, so that it is found in the folded pattern.
std::string FoldedEscape(char32_t escape) {
    if (escape == 0) {
        return {};
    }
    std::array<std::uint8_t, U8_MAX_LENGTH> bytes{};
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(bytes.data(), length, static_cast<UChar32>(escape));
    return CaseFolded(std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<std::size_t>(length)));
}

} // namespace

LikePattern::LikePattern(std::string_view utf8Pattern, char32_t escape) {
    compile(CaseFolded(utf8Pattern), FoldedEscape(escape));
}

LikePattern::LikePattern(std::string_view foldedBytes, SingleBytes) : singleBytes_(true) {
    compile(foldedBytes, {});
}

std::size_t LikePattern::charLength(std::string_view value, std::size_t at) const noexcept {
    return singleBytes_ ? 1 : Utf8CharLength(value, at);
}

void LikePattern::Segment::prepareSearch() {
    if (!isLiteral()) {
        return;
    }
    const std::string& literal = atoms.front().literal;
    const std::size_t length = literal.size();
    shifts.fill(static_cast<std::uint8_t>(std::min<std::size_t>(length, 255)));
    for (std::size_t i = 0; i + 1 < length; ++i) {
        shifts[static_cast<unsigned char>(literal[i])] =
            static_cast<std::uint8_t>(std::min<std::size_t>(length - 1 - i, 255));
    }
}

void LikePattern::compile(std::string_view folded, std::string_view escape) {
    anchoredStart_ = !folded.starts_with('%');
    std::vector<Atom> segment;
    bool lastWasRun = false;
    for (std::size_t i = 0; i < folded.size();) {
        lastWasRun = false;
        if (!escape.empty() && folded.substr(i).starts_with(escape) &&
            i + escape.size() < folded.size()) {
            i += escape.size();
            const std::size_t length = charLength(folded, i);
            if (segment.empty() || segment.back().anyChar) {
                segment.push_back(Atom{});
            }
            segment.back().literal.append(folded.substr(i, length));
            i += length;
        } else if (folded[i] == '%') {
            if (!segment.empty()) {
                segments_.push_back(Segment{std::move(segment), {}});
                segment.clear();
            }
            lastWasRun = true;
            ++i;
        } else if (folded[i] == '_') {
            segment.push_back(Atom{true, {}});
            ++i;
        } else {
            const std::size_t length = charLength(folded, i);
            if (segment.empty() || segment.back().anyChar) {
                segment.push_back(Atom{});
            }
            segment.back().literal.append(folded.substr(i, length));
            i += length;
        }
    }
    if (!segment.empty()) {
        segments_.push_back(Segment{std::move(segment), {}});
    }
    anchoredEnd_ = !lastWasRun;
    for (Segment& each : segments_) {
        each.prepareSearch();
    }
}

bool LikePattern::matches(std::string_view utf8Value) const {
    folded_.clear();
    AppendCaseFolded(utf8Value, folded_);
    return matchFolded(folded_);
}

bool LikePattern::matchFolded(std::string_view value) const {
    if (segments_.empty()) {
        // "" matches only the empty text; a pattern of nothing but `%` matches anything.
        return !(anchoredStart_ && anchoredEnd_) || value.empty();
    }
    std::size_t position = 0;
    const std::size_t last = segments_.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const Segment& segment = segments_[i];
        if (i == last && anchoredEnd_) {
            const std::size_t start = matchEndingAt(segment, value, value.size());
            if (start == kNoMatch || start < position) {
                return false;
            }
            return !(i == 0 && anchoredStart_) || start == 0;
        }
        if (i == 0 && anchoredStart_) {
            position = matchAt(segment, value, 0);
            if (position == kNoMatch) {
                return false;
            }
            continue;
        }
        std::size_t end = 0;
        if (find(segment, value, position, end) == kNoMatch) {
            return false;
        }
        position = end;
    }
    return true;
}

// The end of the segment's match starting at `at`, or kNoMatch.
std::size_t LikePattern::matchAt(const Segment& segment, std::string_view value,
                                 std::size_t at) const {
    for (const Atom& atom : segment.atoms) {
        if (atom.anyChar) {
            if (at >= value.size()) {
                return kNoMatch;
            }
            at += charLength(value, at);
        } else {
            if (value.substr(at, atom.literal.size()) != atom.literal) {
                return kNoMatch;
            }
            at += atom.literal.size();
        }
    }
    return at;
}

// The start of the segment's match that ends at `end`, or kNoMatch.
std::size_t LikePattern::matchEndingAt(const Segment& segment, std::string_view value,
                                       std::size_t end) const {
    for (auto atom = segment.atoms.rbegin(); atom != segment.atoms.rend(); ++atom) {
        if (atom->anyChar) {
            if (end == 0) {
                return kNoMatch;
            }
            // Step back over one character: its continuation bytes, then its lead byte.
            std::size_t start = end - 1;
            if (singleBytes_) {
                end = start;
                continue;
            }
            for (int back = 0; start > 0 && back < 3 && IsContinuation(value[start]); ++back) {
                --start;
            }
            if (start + Utf8CharLength(value, start) != end) {
                start = end - 1; // a stray byte counts as a character of its own
            }
            end = start;
        } else {
            const std::size_t length = atom->literal.size();
            if (length > end || value.substr(end - length, length) != atom->literal) {
                return kNoMatch;
            }
            end -= length;
        }
    }
    return end;
}

// The leftmost start at or after `from` where the segment matches, or kNoMatch.
std::size_t LikePattern::find(const Segment& segment, std::string_view value, std::size_t from,
                              std::size_t& matchEnd) const {
    if (segment.isLiteral()) {
        const std::size_t start = findLiteral(segment, value, from);
        matchEnd = start == kNoMatch ? kNoMatch : start + segment.atoms.front().literal.size();
        return start;
    }
    for (std::size_t start = from; start <= value.size();) {
        matchEnd = matchAt(segment, value, start);
        if (matchEnd != kNoMatch) {
            return start;
        }
        if (start == value.size()) {
            break;
        }
        start += charLength(value, start);
    }
    return kNoMatch;
}

// Horspool's search for a one-literal segment.
std::size_t LikePattern::findLiteral(const Segment& segment, std::string_view value,
                                     std::size_t from) {
    const std::string& literal = segment.atoms.front().literal;
    const std::size_t length = literal.size();
    if (length == 0) {
        return from;
    }
    const char last = literal[length - 1];
    for (std::size_t at = from; at + length <= value.size();) {
        const char under = value[at + length - 1];
        if (under == last && std::memcmp(value.data() + at, literal.data(), length - 1) == 0) {
            return at;
        }
        at += segment.shifts[static_cast<unsigned char>(under)];
    }
    return kNoMatch;
}
