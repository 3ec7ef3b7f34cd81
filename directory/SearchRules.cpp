#include "directory/SearchRules.h"

namespace {

// A text as it stands inside an apostrophe-quoted literal.
QString Quoted(QString text) {
    return text.replace(u'\'', QStringLiteral("''"));
}

SearchQuery Unfiltered(const QString& condition) {
    return {condition, QString(), false};
}

QString NameCondition(const QString& pattern) {
    return QStringLiteral("WHERE Name LIKE'%") + pattern + QStringLiteral("%'");
}

} // namespace

std::vector<SearchQuery> SearchQueries(const SearchTexts& texts) {
    const QString phone = Quoted(texts.phone);
    const QString name = Quoted(texts.name);
    const QString street = Quoted(texts.street);
    const QString house = Quoted(texts.house);
    const QString apartment = Quoted(texts.apartment);

    std::vector<SearchQuery> queries;
    if (!phone.isEmpty())
        queries.push_back(
            Unfiltered(QStringLiteral("WHERE tel LIKE'%") + phone + QStringLiteral("%'")));
    if (!name.isEmpty())
        queries.push_back(
            Unfiltered(QStringLiteral("WHERE fio LIKE'%") + name + QStringLiteral("%'")));
    if (!street.isEmpty() && apartment.isEmpty())
        queries.push_back(Unfiltered(NameCondition(street + u' ' + house)));
    if (!street.isEmpty() && !apartment.isEmpty())
        queries.push_back(
            Unfiltered(NameCondition(street + u' ' + house + QStringLiteral("%-") + apartment)));
    if (!street.isEmpty() && !name.isEmpty())
        queries.push_back(
            {NameCondition(street), QStringLiteral("fio='") + name + QStringLiteral("*'"), true});
    return queries;
}

QStringList SearchSqlLines(const QString& condition) {
    return {QStringLiteral("SELECT ID, tel, fio, Name, Story"), QStringLiteral("FROM tel"),
            condition, QStringLiteral("ORDER BY Name")};
}
