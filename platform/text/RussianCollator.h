#pragma once

#include <QStringView>

#include <memory>
#include <string_view>

struct UCollator;

// Compares UTF-8 texts in Russian alphabetical order, ignoring letter case: ICU's collator
// for the locale "ru" at secondary strength ("аптека" < "Баня" < "елка" < "ЁЛКА" < "Яблоко").
class RussianCollator {
public:
    // Throws Exception when ICU has no collator for the locale.
    RussianCollator();
    ~RussianCollator();
    // A copy is a collator of its own, for use on another thread (ICU's clone).
    RussianCollator(const RussianCollator& other);
    RussianCollator& operator=(const RussianCollator&) = delete;

    // Below zero, zero or above zero as first sorts before, with or after second.
    int compare(std::string_view first, std::string_view second) const noexcept;
    // Appends the text's sort key: bytes that compare (as unsigned bytes, shorter first on a
    // common start) as compare() compares the texts. Ends with a zero byte.
    void appendSortKey(std::string_view utf8, std::string& out) const;

    // The same for Qt's UTF-16 texts.
    int compare(QStringView first, QStringView second) const noexcept;
    void appendSortKey(QStringView text, std::string& out) const;

private:
    struct Closer {
        void operator()(UCollator* collator) const noexcept;
    };
    std::unique_ptr<UCollator, Closer> collator_;
};
