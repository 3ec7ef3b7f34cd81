#include "grid/SearchTextMatcher.h"

#include "platform/text/Utf8CaseFold.h"

#include <QList>

#include <memory>
#include <string_view>
#include <vector>

namespace {

constexpr char32_t BmpSize = 0x10000;

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

bool InBmp(const QString& text) {
    for (const QChar c : text) {
        if (IsSurrogate(c.unicode()))
            return false;
    }
    return true;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The provider's folding of every character of the Basic Multilingual Plane, worked out once
// by folding them all in one text: each character folds to exactly one. Surrogates stand for
// themselves (texts holding them take the UTF-8 way). Empty when the folded text does not have
// one character for each, which would leave every text to the UTF-8 way.
const std::vector<char32_t>& BmpFoldings() {
    static const std::vector<char32_t> table = [] {
        QString all;
        all.reserve(BmpSize);
        for (char32_t c = 0; c < BmpSize; ++c) {
            if (!IsSurrogate(static_cast<char16_t>(c)))
                all.append(QChar(static_cast<char16_t>(c)));
        }
        const QByteArray utf8 = all.toUtf8();
        const std::string folded = CaseFolded(View(utf8));
        const QList<uint> codes =
            QString::fromUtf8(folded.data(), static_cast<qsizetype>(folded.size())).toUcs4();
        std::vector<char32_t> foldings(BmpSize);
        if (codes.size() != all.size())
            return std::vector<char32_t>();
        qsizetype next = 0;
        for (char32_t c = 0; c < BmpSize; ++c)
            foldings[c] = IsSurrogate(static_cast<char16_t>(c)) ? c : codes[next++];
        return foldings;
    }();
    return table;
}

void FoldBmp(const QString& text, const std::vector<char32_t>& foldings, std::u32string& out) {
    out.resize(static_cast<std::size_t>(text.size()));
    const QChar* in = text.constData();
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = foldings[in[i].unicode()];
}

// Whether the folded cell holds the folded pattern at position `at`. A surrogate folds to
// itself here and so never equals a character of a pattern without surrogates, just as a
// character outside the plane, folded, never equals one inside it.
bool FoldedAt(const QChar* cell, const std::u32string& pattern, qsizetype at,
              const std::vector<char32_t>& foldings) {
    for (std::size_t j = 0; j < pattern.size(); ++j) {
        if (foldings[cell[at + static_cast<qsizetype>(j)].unicode()] != pattern[j])
            return false;
    }
    return true;
}

} // namespace

SearchTextMatcher::SearchTextMatcher(const QString& pattern, TGridSearchMatching matching,
                                     bool ignoreCase)
    : pattern_(pattern), matching_(matching), ignoreCase_(ignoreCase) {
    if (!ignoreCase_)
        return;
    foldedPatternUtf8_ = CaseFolded(View(pattern.toUtf8()));
    patternInBmp_ = InBmp(pattern) && !BmpFoldings().empty();
    if (patternInBmp_)
        FoldBmp(pattern, BmpFoldings(), foldedPattern_);
}

bool SearchTextMatcher::Matches(const QString& cell) const {
    if (ignoreCase_)
        return MatchesFolded(cell);
    switch (matching_) {
    case gsmAnyPart:
        return !pattern_.isEmpty() && !cell.isEmpty() && cell.contains(pattern_);
    case gsmWholeField:
        return cell == pattern_;
    case gsmFromBeginning:
        return cell.startsWith(pattern_);
    }
    return false;
}

bool SearchTextMatcher::MatchesFolded(const QString& cell) const {
    if (matching_ == gsmAnyPart && (pattern_.isEmpty() || cell.isEmpty()))
        return false;
    if (!patternInBmp_)
        return MatchesFoldedUtf8(cell);
    // The cell is folded as it is compared, one character per UTF-16 unit.
    const std::vector<char32_t>& foldings = BmpFoldings();
    const auto length = static_cast<qsizetype>(foldedPattern_.size());
    const QChar* text = cell.constData();
    switch (matching_) {
    case gsmAnyPart:
        for (qsizetype at = 0; at + length <= cell.size(); ++at) {
            if (FoldedAt(text, foldedPattern_, at, foldings))
                return true;
        }
        return false;
    case gsmWholeField:
        return cell.size() == length && FoldedAt(text, foldedPattern_, 0, foldings);
    case gsmFromBeginning:
        return cell.size() >= length && FoldedAt(text, foldedPattern_, 0, foldings);
    }
    return false;
}

bool SearchTextMatcher::MatchesFoldedUtf8(const QString& cell) const {
    utf8_.resize(static_cast<std::size_t>(encoder_.requiredSpace(cell.size())));
    const char* end = encoder_.appendToBuffer(utf8_.data(), cell);
    foldedUtf8_.clear();
    AppendCaseFolded(std::string_view(utf8_.data(), static_cast<std::size_t>(end - utf8_.data())),
                     foldedUtf8_);
    return Compare(foldedUtf8_, foldedPatternUtf8_);
}

template <typename Text>
bool SearchTextMatcher::Compare(const Text& folded, const Text& pattern) const {
    switch (matching_) {
    case gsmAnyPart:
        return folded.find(pattern) != Text::npos;
    case gsmWholeField:
        return folded == pattern;
    case gsmFromBeginning:
        return folded.starts_with(pattern);
    }
    return false;
}
