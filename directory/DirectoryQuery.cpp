#include "directory/DirectoryQuery.h"

#include "data/TADOQuery.h"
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"

#include <memory>

namespace {

// The largest text of the directory's text columns, in UTF-16 code units.
constexpr int kTextSize = 255;

template <class Field> Field* AddDirectoryField(TADOQuery& query, const char* fieldName) {
    auto field = std::make_unique<Field>(QString::fromLatin1(fieldName));
    Field* added = field.get();
    query.AddField(std::move(field));
    return added;
}

TWideStringField* AddTextField(TADOQuery& query, const char* fieldName) {
    TWideStringField* field = AddDirectoryField<TWideStringField>(query, fieldName);
    field->SetSize(kTextSize);
    return field;
}

} // namespace

DirectoryQueryFields ConfigureDirectoryQuery(TADOQuery& query) {
    const bool wasLoading = query.Loading();
    query.SetLoading(true);
    query.SetName(QStringLiteral("ADOQuery1"));
    query.SetCursorType(ctStatic);
    query.SetFiltered(true);
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story"));
    query.SQL().Add(QStringLiteral("FROM tel"));

    DirectoryQueryFields fields;
    fields.ADOQuery1ID = AddDirectoryField<TAutoIncField>(query, "ID");
    fields.ADOQuery1ID->SetReadOnly(true);
    fields.ADOQuery1Tel = AddDirectoryField<TFloatField>(query, "Tel");
    fields.ADOQuery1Fio = AddTextField(query, "Fio");
    fields.ADOQuery1Name = AddTextField(query, "Name");
    fields.ADOQuery1Story = AddTextField(query, "Story");
    query.SetLoading(wasLoading);
    return fields;
}
