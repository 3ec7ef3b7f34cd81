#include "data/TWideStringField.h"

#include "data/DatabaseError.h"
#include "data/FloatToStr.h"
#include "data/NumberText.h"

#include <utility>

namespace {

// The default length of a text field.
constexpr int kDefaultSize = 20;

QString CutToUnits(const QString& text, int size) {
    if (size <= 0 || text.size() <= size) {
        return text;
    }
    qsizetype length = size;
    if (text.at(length - 1).isHighSurrogate() && text.at(length).isLowSurrogate()) {
        --length;
    }
    return text.left(length);
}

} // namespace

TWideStringField::TWideStringField(QString fieldName) : TField(ftWideString, std::move(fieldName)) {
    SetSize(kDefaultSize);
}

bool TWideStringField::AcceptsType(TFieldType type) const {
    return type == ftString || type == ftWideString;
}

AdoVariant TWideStringField::FromProvider(const AdoVariant& value) const {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return QString::number(*integer);
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return FloatToStr(*number);
    }
    return value;
}

QString TWideStringField::AsString() const {
    const AdoVariant value = Value();
    if (const auto* text = std::get_if<QString>(&value)) {
        return *text;
    }
    return {};
}

void TWideStringField::SetAsString(const QString& text) {
    QString stored = CutToUnits(text, Size());
    if (stored.isNull()) {
        stored = QStringLiteral(""); // an empty string, which the provider keeps apart from null
    }
    SetValue(stored);
}

double TWideStringField::AsFloat() const {
    const QString text = AsString();
    if (text.isEmpty()) {
        return 0;
    }
    const std::optional<long double> number = TextToFloat(text);
    if (!number) {
        DatabaseError(DatabaseMessages::kInvalidFloatValue.arg(text, DisplayName()));
    }
    return static_cast<double>(*number);
}

void TWideStringField::SetAsFloat(double value) {
    SetAsString(FloatToStr(value));
}
