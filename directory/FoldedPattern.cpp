#include "directory/FoldedPattern.h"

#include "platform/text/NarrowText.h"
#include "platform/text/Utf8CaseFold.h"

#include <string>

FoldedPattern::FoldedPattern(std::string_view utf8Pattern) : utf8_(utf8Pattern) {
    std::string narrow;
    if (narrow_text::AppendNarrow(CaseFolded(utf8Pattern), narrow)) {
        narrow_.emplace(narrow, LikePattern::SingleBytes{});
    }
}
