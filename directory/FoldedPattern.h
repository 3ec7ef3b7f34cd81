#pragma once

#include "platform/text/LikePattern.h"

#include <optional>
#include <string_view>

// A LIKE pattern as the copy of the searched texts tests it: on texts kept in UTF-8, and on
// texts kept one byte a character (narrow_text), which it can only match when each character it
// names has such a byte.
class FoldedPattern {
public:
    explicit FoldedPattern(std::string_view utf8Pattern);

    bool matchesUtf8(std::string_view folded) const { return utf8_.matchesFolded(folded); }
    bool matchesNarrow(std::string_view narrow) const {
        return narrow_ && narrow_->matchesFolded(narrow);
    }

private:
    LikePattern utf8_;
    std::optional<LikePattern> narrow_;
};
