#include "grid/SearchTextMatcher.h"

#include "platform/db/Utf8CaseFold.h"

#include <string_view>

namespace {

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

SearchTextMatcher::SearchTextMatcher(const QString& pattern, TGridSearchMatching matching,
                                     bool ignoreCase)
    : pattern_(pattern), matching_(matching), ignoreCase_(ignoreCase) {
    if (ignoreCase_)
        foldedPattern_ = CaseFolded(View(pattern.toUtf8()));
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
    if (matching_ == gsmAnyPart && (foldedPattern_.empty() || cell.isEmpty()))
        return false;
    folded_.clear();
    AppendCaseFolded(View(cell.toUtf8()), folded_);
    switch (matching_) {
    case gsmAnyPart:
        return folded_.find(foldedPattern_) != std::string::npos;
    case gsmWholeField:
        return folded_ == foldedPattern_;
    case gsmFromBeginning:
        return folded_.starts_with(foldedPattern_);
    }
    return false;
}
