// The query's persistent fields: adding and finding them, binding them to the result columns
// and reading and assigning their values in the current record.
#include "data/TADOQuery.h"

#include "data/DatabaseError.h"
#include "data/TField.h"
#include "platform/db/AdoRecordset.h"

#include <algorithm>

namespace {

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TField& TADOQuery::AddField(std::unique_ptr<TField> field) {
    CheckInactive();
    field->dataSet_ = this;
    field->index_ = FieldCount();
    fields_.push_back(std::move(field));
    DataEvent(deLayoutChange);
    return *fields_.back();
}

TField* TADOQuery::FindField(const QString& fieldName) const {
    const auto found = std::find_if(fields_.begin(), fields_.end(), [&](const auto& field) {
        return SameName(field->FieldName(), fieldName);
    });
    return found == fields_.end() ? nullptr : found->get();
}

TField& TADOQuery::FieldByName(const QString& fieldName) const {
    TField* field = FindField(fieldName);
    if (field == nullptr) {
        DatabaseError(DatabaseMessages::kFieldNotFound.arg(fieldName), name_);
    }
    return *field;
}

void TADOQuery::BindFields() {
    for (const auto& field : fields_) {
        const auto def =
            std::find_if(fieldDefs_.begin(), fieldDefs_.end(),
                         [&](const TFieldDef& d) { return SameName(d.Name, field->FieldName()); });
        if (def == fieldDefs_.end()) {
            DatabaseError(DatabaseMessages::kFieldNotFound.arg(field->DisplayName()), name_);
        }
        if (!field->AcceptsType(def->DataType)) {
            DatabaseError(DatabaseMessages::kFieldTypeMismatch.arg(field->DisplayName(),
                                                                   FieldTypeName(field->DataType()),
                                                                   FieldTypeName(def->DataType)),
                          name_);
        }
        field->boundColumn_ = def->Column;
    }
}

void TADOQuery::UnbindFields() {
    for (const auto& field : fields_) {
        field->boundColumn_ = -1;
    }
}

bool TADOQuery::HasCurrentRecord() const {
    if (readRecord_ != nullptr) {
        return true;
    }
    if (!Active() || window_.IsEmpty()) {
        return false;
    }
    if (state_ == dsEdit || state_ == dsInsert) {
        return true;
    }
    return bookmarks_ || !recordset_->eof();
}

AdoVariant TADOQuery::FieldValue(const TField& field) {
    if (!HasCurrentRecord()) {
        return {};
    }
    RecordBuffer& record = FieldRecord();
    ValueSlot& slot = record.values.at(static_cast<std::size_t>(field.Index()));
    if (!slot) {
        if (field.BoundColumn() < 0) {
            return {};
        }
        // Values are read on first use: put the recordset on the record and read the column.
        if (readRecord_ != nullptr) {
            recordset_->setBookmark(record.bookmark);
        } else {
            window_.PositionCursorOn(window_.Current());
        }
        slot = field.FromProvider(recordset_->value(field.BoundColumn()));
    }
    return *slot;
}

RecordBuffer& TADOQuery::FieldRecord() const {
    return readRecord_ != nullptr ? *readRecord_ : window_.CurrentRecord();
}

void TADOQuery::SetFieldValue(TField& field, const AdoVariant& value) {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) {
        DatabaseError(DatabaseMessages::kNotEditing, name_);
    }
    if (field.ReadOnly()) {
        DatabaseError(DatabaseMessages::kFieldReadOnly.arg(field.DisplayName()));
    }
    if (std::find(modifiedFields_.begin(), modifiedFields_.end(), &field) ==
        modifiedFields_.end()) {
        modifiedFields_.push_back(&field);
    }
    window_.CurrentRecord().values.at(static_cast<std::size_t>(field.Index())) = value;
    DataEvent(deFieldChange, &field);
}
