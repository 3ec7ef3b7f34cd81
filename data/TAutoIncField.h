#pragma once

#include "data/TField.h"

#include <cstdint>

// A field holding the 32-bit row key the database assigns. It binds to an auto-increment
// column or a plain integer column of at most 32 bits.
class TAutoIncField : public TField {
public:
    explicit TAutoIncField(QString fieldName = {});

    bool AcceptsType(TFieldType type) const override;
    AdoVariant FromProvider(const AdoVariant& value) const override;

    // The value; 0 for null.
    std::int32_t AsInteger() const;

    // The decimal digits of the value; empty text for null.
    QString AsString() const override;
    // Empty text clears the field; other text must be an integer.
    void SetAsString(const QString& text) override;
    double AsFloat() const override;
    // Stores the value rounded to an integer.
    void SetAsFloat(double value) override;
};
