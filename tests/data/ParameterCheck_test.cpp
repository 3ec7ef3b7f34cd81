#include "data/ParameterCheck.h"
#include "tests/data/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t* text;
    const char16_t* expected;
    QStringList markers;
};

TEST(ParameterCheck, ReplacesMarkersOutsideLiterals) {
    const Case cases[] = {
        {u"SELECT ID, tel FROM tel\r\n", u"SELECT ID, tel FROM tel\r\n", {}},
        {u"WHERE tel=:phone", u"WHERE tel=?", {"phone"}},
        {u"WHERE a=:x AND b=:y\r\n", u"WHERE a=? AND b=?\r\n", {"x", "y"}},
        {u"VALUES (:a,:b);", u"VALUES (?,?);", {"a", "b"}},
        {u"WHERE a=:x\nOR b=:y\r", u"WHERE a=?\nOR b=?\r", {"x", "y"}},
        {u"SELECT a::int", u"SELECT a:int", {}},
        {u"SELECT '12:30', :p", u"SELECT '12:30', ?", {"p"}},
        {u"WHERE fio LIKE'%:x%'\r\n", u"WHERE fio LIKE'%:x%'\r\n", {}},
        {u"WHERE \"a:b\"=:c", u"WHERE \"a:b\"=?", {"c"}},
        {u"WHERE `a:b`=:c", u"WHERE `a:b`=?", {"c"}},
        {u"WHERE 'a::b'", u"WHERE 'a::b'", {}},
        {u"WHERE :\"my param\"", u"WHERE ? param\"", {"my"}},
        {u"WHERE :\"quoted\" ", u"WHERE ? ", {"quoted"}},
        {u"a : b", u"a : b", {}},
        {u"ends with:", u"ends with:", {}},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const ParameterCheckResult result = CheckParameters(text);
        EXPECT_EQ(result.text, QString::fromUtf16(c.expected));
        EXPECT_EQ(result.markers, c.markers);
    }
}

TEST(ParameterCheck, QuoteOfAnotherKindDoesNotEndALiteral) {
    // A search text with a double quote inside an apostrophe literal: the literal still ends
    // at the next apostrophe, and the colon inside stays text.
    const ParameterCheckResult result =
        CheckParameters(u"WHERE fio LIKE'%O\"Brien :x%' AND tel=:t");
    EXPECT_EQ(result.text, QStringLiteral("WHERE fio LIKE'%O\"Brien :x%' AND tel=?"));
    EXPECT_EQ(result.markers, QStringList{"t"});
}

TEST(ParameterCheck, QuoteInASearchTextUnbalancesTheLiteral) {
    const ParameterCheckResult result = CheckParameters(u"WHERE fio LIKE'%O'Brien :x%'\r\n");
    EXPECT_EQ(result.text, QStringLiteral("WHERE fio LIKE'%O'Brien ?\r\n"));
    EXPECT_EQ(result.markers, QStringList{"x%'"});
}

} // namespace
