#include "SearchCases.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QStringList>

namespace {

QString CommandText(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

SearchTexts Texts(const char* phone, const char* name, const char* street, const char* house,
                  const char* apartment) {
    return {QString::fromUtf8(phone), QString::fromUtf8(name), QString::fromUtf8(street),
            QString::fromUtf8(house), QString::fromUtf8(apartment)};
}

std::vector<QString> Statements(const SearchCase& search) {
    if (search.wholeTable) {
        return {CommandText(
            {QStringLiteral("SELECT ID, tel, fio, Name, Story"), QStringLiteral("FROM tel")})};
    }
    std::vector<QString> statements;
    for (const SearchQuery& query : SearchQueries(search.texts)) {
        statements.push_back(CommandText(SearchSqlLines(query.condition)));
    }
    return statements;
}

long StepPlain(SqliteDatabase& database, const std::vector<QString>& statements) {
    long rows = 0;
    for (const QString& sql : statements) {
        SqliteStatement statement = database.prepare(sql);
        while (statement.step()) {
            ++rows;
        }
    }
    return rows;
}
