#pragma once

#include "data/FieldType.h"
#include "platform/db/AdoVariant.h"

#include <QString>

class TADOQuery;

// How a control lines up a field's text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A persistent field of a data set: reads and assigns one column of the current record.
// Without a current record (closed query, empty result) the field reads as null.
class TField {
public:
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TFieldType DataType() const { return dataType_; }
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name) { fieldName_ = name; }
    // The name messages and controls show: the field name (no display label is set).
    QString DisplayName() const { return fieldName_; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }

    // The data set the field belongs to, and its position in the data set's fields (-1: none).
    TADOQuery* DataSet() const { return dataSet_; }
    int Index() const { return index_; }
    // The recordset column the field is bound to while the data set is open; -1 otherwise.
    int BoundColumn() const { return boundColumn_; }

    // Whether a column of the given kind can back this field.
    virtual bool AcceptsType(TFieldType type) const = 0;
    // The provider's value in the form this field stores (null stays null).
    virtual AdoVariant FromProvider(const AdoVariant& value) const = 0;

    virtual QString AsString() const = 0;
    virtual void SetAsString(const QString& text) = 0;
    virtual double AsFloat() const = 0;
    virtual void SetAsFloat(double value) = 0;
    // The text controls show; the same as AsString unless a field formats it.
    virtual QString DisplayText() const { return AsString(); }

    // The value in the current record; null when there is none.
    AdoVariant Value() const;
    bool IsNull() const { return ::IsNull(Value()); }
    // Stores a value in the current record through the data set's checks.
    void SetValue(const AdoVariant& value);
    // Assigns null.
    void Clear() { SetValue(AdoVariant{}); }

protected:
    TField(TFieldType dataType, QString fieldName);

private:
    friend class TADOQuery;

    TFieldType dataType_;
    QString fieldName_;
    TAlignment alignment_ = taLeftJustify;
    bool readOnly_ = false;
    int size_ = 0;
    TADOQuery* dataSet_ = nullptr;
    int index_ = -1;
    int boundColumn_ = -1;
};
