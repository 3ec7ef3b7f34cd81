#pragma once

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "tests/data/FakeAdoProvider.h"
#include "tests/data/QStringPrinter.h"
#include "tests/support/RecordingAdoProvider.h"

#include <QString>

#include <optional>

// A directory query over an in-memory directory table, configured as the main window's layout
// does, with its connection string set and every provider call recorded.
struct FakeDirectoryQuery {
    FakeDatabase database = FakeDatabase::Directory();
    FakeAdoProvider fake{database};
    RecordingAdoProvider provider{fake};
    TADOQuery query{provider};
    DirectoryQueryFields fields = ConfigureDirectoryQuery(query);

    FakeDirectoryQuery() { query.SetConnectionString(database.connectionString); }

    // Adds an entry: tel, fio, Name, Story (std::nullopt for null).
    void add(std::optional<double> tel, std::optional<QString> fio,
             std::optional<QString> name = QStringLiteral("STREET 1"),
             std::optional<QString> story = std::nullopt) {
        database.addRow(
            {tel ? AdoVariant{*tel} : AdoVariant{}, fio ? AdoVariant{*fio} : AdoVariant{},
             name ? AdoVariant{*name} : AdoVariant{}, story ? AdoVariant{*story} : AdoVariant{}});
    }
    // Adds count entries with tel 1000 + i and fio "Person <i>", i from 1.
    void addNumbered(int count) {
        for (int i = 1; i <= count; ++i) {
            add(1000 + i, QStringLiteral("Person %1").arg(i));
        }
    }
    // The fio column of every row of the table, in order.
    QStringList fios() const {
        QStringList texts;
        for (const auto& row : database.values()) {
            const QString* text = std::get_if<QString>(&row.at(2));
            texts.append(text != nullptr ? *text : QStringLiteral("<null>"));
        }
        return texts;
    }
};
