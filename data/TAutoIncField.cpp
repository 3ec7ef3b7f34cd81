#include "data/TAutoIncField.h"

#include "data/DatabaseError.h"

#include <cmath>
#include <utility>

TAutoIncField::TAutoIncField(QString fieldName) : TField(ftAutoInc, std::move(fieldName)) {
    SetAlignment(taRightJustify);
}

bool TAutoIncField::AcceptsType(TFieldType type) const {
    return type == ftAutoInc || type == ftInteger || type == ftSmallint || type == ftWord;
}

AdoVariant TAutoIncField::FromProvider(const AdoVariant& value) const {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<std::int64_t>(static_cast<std::int32_t>(*integer));
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return static_cast<std::int64_t>(static_cast<std::int32_t>(std::llround(*number)));
    }
    if (const auto* text = std::get_if<QString>(&value)) {
        bool ok = false;
        const int parsed = text->trimmed().toInt(&ok);
        return ok ? AdoVariant{static_cast<std::int64_t>(parsed)} : AdoVariant{};
    }
    return value;
}

std::int32_t TAutoIncField::AsInteger() const {
    const AdoVariant value = Value();
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<std::int32_t>(*integer);
    }
    return 0;
}

QString TAutoIncField::AsString() const {
    return IsNull() ? QString() : QString::number(AsInteger());
}

void TAutoIncField::SetAsString(const QString& text) {
    if (text.isEmpty()) {
        Clear();
        return;
    }
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        DatabaseError(DatabaseMessages::kInvalidIntegerValue.arg(text, DisplayName()));
    }
    SetValue(static_cast<std::int64_t>(value));
}

double TAutoIncField::AsFloat() const {
    return AsInteger();
}

void TAutoIncField::SetAsFloat(double value) {
    SetValue(static_cast<std::int64_t>(std::llround(value)));
}
