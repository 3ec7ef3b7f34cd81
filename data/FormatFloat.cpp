#include "data/FormatFloat.h"

#include "data/DecimalForm.h"
#include "data/FloatToStr.h"
#include "data/TextBuffer.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr int kPositiveSection = 0;
constexpr int kNegativeSection = 1;
constexpr int kZeroSection = 2;
constexpr int kMaxExponentDigits = 4;

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"';
}

bool IsPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

// "E" or "e" followed by a sign starts an exponent; otherwise the letter is plain text.
bool IsExponentStart(QStringView text, qsizetype i) {
    return (text[i] == u'E' || text[i] == u'e') && i + 1 < text.size() &&
           (text[i + 1] == u'+' || text[i + 1] == u'-');
}

// From an opening quote to just past its closing quote (or the end of the text).
qsizetype SkipQuoted(QStringView text, qsizetype i) {
    const qsizetype close = text.indexOf(text[i], i + 1);
    return close < 0 ? text.size() : close + 1;
}

qsizetype SkipZeros(QStringView text, qsizetype i) {
    while (i < text.size() && text[i] == u'0')
        ++i;
    return i;
}

// The mask cut at its unquoted ";" characters into at most three sections.
struct MaskSections {
    std::array<QStringView, 3> parts;
    int count = 0;

    // The section to use for `wanted`: itself when present and not empty, else the first;
    // -1 when the first is empty too.
    int choose(int wanted) const {
        if (wanted < count && !parts[wanted].isEmpty())
            return wanted;
        return parts[0].isEmpty() ? -1 : kPositiveSection;
    }
};

qsizetype SectionEnd(QStringView mask, qsizetype i) {
    while (i < mask.size() && mask[i] != u';')
        i = IsQuote(mask[i]) ? SkipQuoted(mask, i) : i + 1;
    return i;
}

MaskSections SplitSections(QStringView mask) {
    MaskSections sections;
    qsizetype start = 0;
    while (sections.count < int(sections.parts.size())) {
        const qsizetype end = SectionEnd(mask, start);
        sections.parts[sections.count++] = mask.sliced(start, end - start);
        if (end == mask.size())
            break;
        start = end + 1;
    }
    return sections;
}

int SectionForValue(long double value) {
    if (value == 0)
        return kZeroSection;
    return value < 0 ? kNegativeSection : kPositiveSection;
}

// What a section's placeholders ask for.
struct SectionLayout {
    int placeholders = 0;
    int decimalIndex = 0;    // placeholders before the decimal point
    int firstDigitLimit = 0; // integer places at or below it always print a digit
    int lastDigitLimit = 0;  // fraction places above it always print a digit
    bool grouping = false;
    bool scientific = false;
};

struct PlaceholderScan {
    int count = 0;
    int decimalIndex = -1;
    int firstZero = -1;
    int lastZero = -1;

    void add(QChar c) {
        if (c == u'0') {
            if (firstZero < 0)
                firstZero = count;
            lastZero = count;
        }
        ++count;
    }
};

SectionLayout LayoutFromScan(const PlaceholderScan& scan, bool grouping, bool scientific) {
    SectionLayout layout;
    layout.placeholders = scan.count;
    layout.decimalIndex = scan.decimalIndex < 0 ? scan.count : scan.decimalIndex;
    if (scan.firstZero >= 0)
        layout.firstDigitLimit = std::max(layout.decimalIndex - scan.firstZero, 0);
    if (scan.lastZero >= 0)
        layout.lastDigitLimit = std::min(layout.decimalIndex - (scan.lastZero + 1), 0);
    layout.grouping = grouping;
    layout.scientific = scientific;
    return layout;
}

SectionLayout ScanSection(QStringView section) {
    PlaceholderScan scan;
    bool grouping = false;
    bool scientific = false;
    for (qsizetype i = 0; i < section.size();) {
        const QChar c = section[i];
        if (IsQuote(c)) {
            i = SkipQuoted(section, i);
            continue;
        }
        if (IsExponentStart(section, i)) {
            scientific = true;
            i = SkipZeros(section, i + 2); // the exponent's zeros are not placeholders
            continue;
        }
        if (IsPlaceholder(c))
            scan.add(c);
        else if (c == u'.' && scan.decimalIndex < 0)
            scan.decimalIndex = scan.count;
        else if (c == u',')
            grouping = true;
        ++i;
    }
    return LayoutFromScan(scan, grouping, scientific);
}

DecimalForm RoundForSection(long double value, const SectionLayout& layout) {
    if (layout.scientific)
        return ToDecimalForm(value, layout.placeholders, kNoDecimalsLimit);
    return ToDecimalForm(value, kMaxDecimalDigits, layout.placeholders - layout.decimalIndex);
}

// Infinite and not-a-number values, and 10^18 and above without an exponent, have no place.
bool CanPlace(const DecimalForm& form, const SectionLayout& layout) {
    if (form.isInfinite() || form.isNotANumber())
        return false;
    return layout.scientific || form.exponent <= kMaxDecimalDigits;
}

// Walks one section and writes the decimal form's digits into its placeholders.
class SectionWriter {
public:
    SectionWriter(const DecimalForm& form, const SectionLayout& layout,
                  const FormatSettings& settings)
        : form_(form), layout_(layout), settings_(settings) {
        place_ =
            layout.scientific ? layout.decimalIndex : std::max(form.exponent, layout.decimalIndex);
        surplus_ = layout.scientific ? 0 : form.exponent - layout.decimalIndex;
    }

    QString write(QStringView section, bool minus);

private:
    void putPlaceholder();
    void putDigit();
    void writeDigit(char16_t digit);
    qsizetype writeExponent(QStringView section, qsizetype i);
    qsizetype copyQuoted(QStringView section, qsizetype i);

    const DecimalForm& form_;
    const SectionLayout& layout_;
    const FormatSettings& settings_;
    TextBuffer out_;
    int place_;   // 1 = last integer position, 0 = first fraction position
    int surplus_; // integer digits beyond the placeholders (negative: placeholders beyond digits)
    int nextDigit_ = 0;
};

QString SectionWriter::write(QStringView section, bool minus) {
    if (minus)
        out_.put(u'-');
    for (qsizetype i = 0; i < section.size();) {
        const QChar c = section[i];
        if (IsPlaceholder(c)) {
            putPlaceholder();
            ++i;
        } else if (IsQuote(c)) {
            i = copyQuoted(section, i);
        } else if (IsExponentStart(section, i)) {
            i = writeExponent(section, i);
        } else {
            if (c != u'.' && c != u',') // separators come out with the digits
                out_.put(c);
            ++i;
        }
    }
    return out_.text();
}

void SectionWriter::putPlaceholder() {
    if (surplus_ < 0) { // a leading position with no digit of its own
        ++surplus_;
        if (place_ <= layout_.firstDigitLimit)
            writeDigit(u'0');
        --place_;
        return;
    }
    for (int count = surplus_ + 1; count > 0; --count)
        putDigit(); // the integer digits beyond the placeholders come out at the first one
    surplus_ = 0;
}

void SectionWriter::putDigit() {
    if (nextDigit_ < form_.digitCount)
        writeDigit(char16_t(form_.digits[nextDigit_++]));
    else if (place_ > layout_.lastDigitLimit)
        writeDigit(u'0');
    --place_;
}

void SectionWriter::writeDigit(char16_t digit) {
    if (place_ == 0) {
        out_.put(settings_.decimalSeparator);
        out_.put(digit);
        return;
    }
    out_.put(digit);
    if (layout_.grouping && place_ > 1 && place_ % 3 == 1 && !settings_.thousandSeparator.isNull())
        out_.put(settings_.thousandSeparator);
}

qsizetype SectionWriter::writeExponent(QStringView section, qsizetype i) {
    out_.put(section[i]);
    const bool showPlus = section[i + 1] == u'+';
    const qsizetype end = SkipZeros(section, i + 2);
    const int minDigits = int(std::min<qsizetype>(end - (i + 2), kMaxExponentDigits));
    const int exponent = form_.digitCount == 0 ? 0 : form_.exponent - layout_.decimalIndex;
    if (exponent < 0)
        out_.put(u'-');
    else if (showPlus)
        out_.put(u'+');
    out_.putNumber(std::abs(exponent), minDigits);
    return end;
}

qsizetype SectionWriter::copyQuoted(QStringView section, qsizetype i) {
    const qsizetype close = section.indexOf(section[i], i + 1);
    const qsizetype stop = close < 0 ? section.size() : close; // unclosed: the rest of the mask
    for (qsizetype k = i + 1; k < stop; ++k)
        out_.put(section[k]);
    return close < 0 ? section.size() : close + 1;
}

} // namespace

QString FormatFloat(QStringView mask, long double value, const FormatSettings& settings) {
    if (mask.size() > kMaxFormatMaskLength)
        throw EConvertError(QStringLiteral("Format string too long"));
    const MaskSections sections = SplitSections(mask);
    int index = sections.choose(SectionForValue(value));
    if (index < 0)
        return FloatToStr(value, settings);
    SectionLayout layout = ScanSection(sections.parts[index]);
    const DecimalForm form = RoundForSection(value, layout);
    if (!CanPlace(form, layout))
        return FloatToStr(value, settings);
    if (form.digitCount == 0) { // rounds to zero: the zero section applies
        const int zeroIndex = sections.choose(kZeroSection);
        if (zeroIndex < 0)
            return FloatToStr(value, settings);
        if (zeroIndex != index) {
            index = zeroIndex;
            layout = ScanSection(sections.parts[index]);
        }
    }
    const bool minus = form.negative && index == kPositiveSection;
    return SectionWriter(form, layout, settings).write(sections.parts[index], minus);
}
