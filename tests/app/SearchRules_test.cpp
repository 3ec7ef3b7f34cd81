#include "directory/SearchRules.h"

#include <gtest/gtest.h>

namespace {

struct RulesCase {
    const char* label;
    SearchTexts texts;
    std::vector<SearchQuery> queries;
};

QString Text(const char16_t* text) {
    return text ? QString::fromUtf16(text) : QString();
}

SearchTexts Texts(const char16_t* phone, const char16_t* name = nullptr,
                  const char16_t* street = nullptr, const char16_t* house = nullptr,
                  const char16_t* apartment = nullptr) {
    return {Text(phone), Text(name), Text(street), Text(house), Text(apartment)};
}

SearchQuery Plain(const char16_t* condition) {
    return {QString::fromUtf16(condition), QString(), false};
}

SearchQuery Filtered(const char16_t* condition, const char16_t* filter) {
    return {QString::fromUtf16(condition), QString::fromUtf16(filter), true};
}

class SearchRulesTest : public testing::TestWithParam<RulesCase> {};

TEST_P(SearchRulesTest, RunTheApplicableRulesInOrder) {
    EXPECT_EQ(SearchQueries(GetParam().texts), GetParam().queries);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SearchRulesTest,
    testing::Values(
        RulesCase{"PhoneOnly", Texts(u"345"), {Plain(u"WHERE tel LIKE'%345%'")}},
        RulesCase{"PhoneAndName",
                  Texts(u"345", u"ИВАН"),
                  {Plain(u"WHERE tel LIKE'%345%'"), Plain(u"WHERE fio LIKE'%ИВАН%'")}},
        RulesCase{"StreetWithoutHouse",
                  Texts(nullptr, nullptr, u"ЛЕНИНА"),
                  {Plain(u"WHERE Name LIKE'%ЛЕНИНА %'")}},
        RulesCase{"StreetAndHouse",
                  Texts(nullptr, nullptr, u"ЛЕНИНА", u"12"),
                  {Plain(u"WHERE Name LIKE'%ЛЕНИНА 12%'")}},
        RulesCase{"StreetHouseApartment",
                  Texts(u"5", nullptr, u"ЛЕНИНА", u"12", u"45"),
                  {Plain(u"WHERE tel LIKE'%5%'"), Plain(u"WHERE Name LIKE'%ЛЕНИНА 12%-45%'")}},
        RulesCase{"StreetAndName",
                  Texts(nullptr, u"ИВАН", u"ЛЕНИНА", u"12", u"45"),
                  {Plain(u"WHERE fio LIKE'%ИВАН%'"), Plain(u"WHERE Name LIKE'%ЛЕНИНА 12%-45%'"),
                   Filtered(u"WHERE Name LIKE'%ЛЕНИНА%'", u"fio='ИВАН*'")}},
        RulesCase{"OnlyHouseAndApartment", Texts(nullptr, nullptr, nullptr, u"12", u"45"), {}},
        RulesCase{"SpacesCountAsFilled", Texts(u" "), {Plain(u"WHERE tel LIKE'% %'")}},
        RulesCase{"ApostrophesAreDoubled",
                  Texts(nullptr, u"O'BRIEN", u"Д'ОР"),
                  {Plain(u"WHERE fio LIKE'%O''BRIEN%'"), Plain(u"WHERE Name LIKE'%Д''ОР %'"),
                   Filtered(u"WHERE Name LIKE'%Д''ОР%'", u"fio='O''BRIEN*'")}},
        RulesCase{"WildcardsStayWildcards",
                  Texts(nullptr, u"ИВ_Н%В"),
                  {Plain(u"WHERE fio LIKE'%ИВ_Н%В%'")}}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(SearchRules, LinesSurroundTheCondition) {
    EXPECT_EQ(
        SearchSqlLines(QStringLiteral("WHERE tel LIKE'%1%'")),
        QStringList({QStringLiteral("SELECT ID, tel, fio, Name, Story"), QStringLiteral("FROM tel"),
                     QStringLiteral("WHERE tel LIKE'%1%'"), QStringLiteral("ORDER BY Name")}));
}

} // namespace
