#include "data/TFloatField.h"

#include "data/DatabaseError.h"
#include "data/FloatToStr.h"
#include "data/NumberText.h"
#include "platform/Exceptions.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

TFloatField::TFloatField(QString fieldName) : TField(ftFloat, std::move(fieldName)) {
    SetAlignment(taRightJustify);
}

bool TFloatField::AcceptsType(TFieldType type) const {
    return type == ftFloat || type == ftCurrency || type == ftBCD || type == ftFMTBcd;
}

AdoVariant TFloatField::FromProvider(const AdoVariant& value) const {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*integer);
    }
    if (const auto* text = std::get_if<QString>(&value)) {
        const std::optional<long double> number = TextToFloat(*text);
        if (!number) {
            return {};
        }
        return static_cast<double>(*number);
    }
    return value;
}

QString TFloatField::AsString() const {
    const AdoVariant value = Value();
    if (const auto* number = std::get_if<double>(&value)) {
        return FloatToStr(*number);
    }
    return {};
}

void TFloatField::SetAsString(const QString& text) {
    if (text.isEmpty()) {
        Clear();
        return;
    }
    const std::optional<long double> number = TextToFloat(text);
    if (!number) {
        DatabaseError(DatabaseMessages::kInvalidFloatValue.arg(text, DisplayName()));
    }
    if (std::isfinite(*number) && std::fabs(*number) > std::numeric_limits<double>::max()) {
        throw EOverflow();
    }
    SetAsFloat(static_cast<double>(*number));
}

double TFloatField::AsFloat() const {
    const AdoVariant value = Value();
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    return 0;
}

void TFloatField::SetAsFloat(double value) {
    SetValue(value);
}
