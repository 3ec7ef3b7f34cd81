// Saves directory entries the way the entry editor does, over and over, until it is killed:
// Edit, the four field texts, Post and Refresh, one entry after the other. Each save writes
// its number into all four fields and then prints it. Used by the fault test of saves.
#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/db/SqliteAdoProvider.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: entry_saver DATABASE\n");
        return 2;
    }
    TADOQuery query{SqliteAdoProvider()};
    const DirectoryQueryFields fields = ConfigureDirectoryQuery(query);
    query.SetConnectionString(QStringLiteral("Data Source=") + QString::fromLocal8Bit(argv[1]));
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel ORDER BY Name"));
    query.Open();
    for (long save = 1;; ++save) {
        const QString number = QString::number(save);
        query.Edit();
        fields.ADOQuery1Tel->SetAsString(number);
        fields.ADOQuery1Fio->SetAsString(QStringLiteral("Saved ") + number);
        fields.ADOQuery1Name->SetAsString(QStringLiteral("LENINA ") + number);
        fields.ADOQuery1Story->SetAsString(QStringLiteral("note ") + number);
        query.Post();
        query.Refresh();
        std::printf("%ld\n", save);
        std::fflush(stdout);
        if (query.MoveBy(1) == 0)
            query.First();
    }
}
