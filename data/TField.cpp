#include "data/TField.h"

#include "data/DatabaseError.h"
#include "data/TADOQuery.h"

#include <utility>

TField::TField(TFieldType dataType, QString fieldName)
    : dataType_(dataType), fieldName_(std::move(fieldName)) {
}

TField::~TField() = default;

AdoVariant TField::Value() const {
    if (dataSet_ == nullptr) {
        return {};
    }
    return dataSet_->FieldValue(*this);
}

void TField::SetValue(const AdoVariant& value) {
    if (dataSet_ == nullptr) {
        DatabaseError(DatabaseMessages::kNotEditing); // no data set holds a record for it
    }
    dataSet_->SetFieldValue(*this, value);
}
