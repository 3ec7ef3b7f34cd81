#pragma once

#include "data/TField.h"

// A field holding a double (the phone number). Its text is the general number format and
// text assigned to it is read by the number text rules.
class TFloatField : public TField {
public:
    explicit TFloatField(QString fieldName = {});

    // Significant digits of the text form (15; the general format always uses 15).
    int Precision() const { return precision_; }
    void SetPrecision(int precision) { precision_ = precision; }

    bool AcceptsType(TFieldType type) const override;
    AdoVariant FromProvider(const AdoVariant& value) const override;

    // FloatToStr of the value; empty text for null.
    QString AsString() const override;
    // Empty text clears the field to null. Other text must be a number ("'%s' is not a valid
    // floating point value for field '%s'", without prefix); one beyond the range of a double
    // raises EOverflow. Nothing is stored on failure.
    void SetAsString(const QString& text) override;
    // The value; 0 for null.
    double AsFloat() const override;
    void SetAsFloat(double value) override;

private:
    int precision_ = 15;
};
