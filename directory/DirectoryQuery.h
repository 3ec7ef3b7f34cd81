#pragma once

class TADOQuery;
class TAutoIncField;
class TFloatField;
class TWideStringField;

// The persistent fields of the directory query, named as in the main window's layout.
struct DirectoryQueryFields {
    TAutoIncField* ADOQuery1ID = nullptr;
    TFloatField* ADOQuery1Tel = nullptr;
    TWideStringField* ADOQuery1Fio = nullptr;
    TWideStringField* ADOQuery1Name = nullptr;
    TWideStringField* ADOQuery1Story = nullptr;
};

// Configures a new, closed query as the main window's layout does: name "ADOQuery1", a static
// cursor, Filtered true with an empty filter, the two initial SQL lines (set as while loading,
// so no provider is asked) and the five persistent fields in order: "ID" (read-only), "Tel",
// and "Fio", "Name", "Story" of size 255. The query owns the fields.
DirectoryQueryFields ConfigureDirectoryQuery(TADOQuery& query);
