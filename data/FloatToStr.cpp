#include "data/FloatToStr.h"

#include "data/DecimalForm.h"
#include "data/TextBuffer.h"

namespace {

constexpr int kGeneralPrecision = 15;
constexpr int kLowestPlainExponent = -3;

// d.dddE[-]n
void WriteScientific(TextBuffer& out, const DecimalForm& form, QChar decimalSeparator) {
    const std::string_view digits = form.digitText();
    out.put(char16_t(digits.front()));
    if (digits.size() > 1) {
        out.put(decimalSeparator);
        out.put(digits.substr(1));
    }
    out.put(u'E');
    const int exponent = form.exponent - 1;
    if (exponent < 0)
        out.put(u'-');
    out.putNumber(exponent < 0 ? -exponent : exponent);
}

// 0.000ddd, or "0" for zero
void WriteFraction(TextBuffer& out, const DecimalForm& form, QChar decimalSeparator) {
    out.put(u'0');
    if (form.digitCount == 0)
        return;
    out.put(decimalSeparator);
    for (int i = form.exponent; i < 0; ++i)
        out.put(u'0');
    out.put(form.digitText());
}

// ddd[000][.ddd]
void WritePositional(TextBuffer& out, const DecimalForm& form, QChar decimalSeparator) {
    const std::string_view digits = form.digitText();
    const std::size_t integerDigits = std::size_t(form.exponent);
    out.put(digits.substr(0, integerDigits));
    for (std::size_t i = digits.size(); i < integerDigits; ++i)
        out.put(u'0');
    if (digits.size() > integerDigits) {
        out.put(decimalSeparator);
        out.put(digits.substr(integerDigits));
    }
}

} // namespace

QString FloatToStr(long double value, const FormatSettings& settings) {
    const DecimalForm form = ToDecimalForm(value, kGeneralPrecision, kNoDecimalsLimit);
    if (form.isNotANumber())
        return QStringLiteral("NAN");
    if (form.isInfinite())
        return form.negative ? QStringLiteral("-INF") : QStringLiteral("INF");
    TextBuffer out;
    if (form.negative)
        out.put(u'-');
    if (form.exponent > kGeneralPrecision || form.exponent < kLowestPlainExponent)
        WriteScientific(out, form, settings.decimalSeparator);
    else if (form.exponent <= 0)
        WriteFraction(out, form, settings.decimalSeparator);
    else
        WritePositional(out, form, settings.decimalSeparator);
    return out.text();
}
