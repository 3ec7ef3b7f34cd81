#pragma once

#include "data/TField.h"

// A field holding 16-bit text. The text is stored and returned unchanged, so every character
// survives (no 8-bit code page in between), cut to Size UTF-16 code units.
class TWideStringField : public TField {
public:
    explicit TWideStringField(QString fieldName = {});

    bool AcceptsType(TFieldType type) const override;
    AdoVariant FromProvider(const AdoVariant& value) const override;

    // The stored text; empty text for null.
    QString AsString() const override;
    // Stores the text cut to Size code units (a character whose two code units the cut would
    // part is left out whole). Empty text is stored as an empty string, not as null.
    void SetAsString(const QString& text) override;
    // The text read as a number; 0 for null.
    double AsFloat() const override;
    // Stores the general number format of the value.
    void SetAsFloat(double value) override;
};
