#include "platform/db/ConnectionString.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectionStringTest, FindsValuesByKeyIgnoringCaseAndBlanks) {
    struct Case {
        const char* text;
        const char* key;
        const char* expected; // nullptr: the key is absent
    };
    const Case cases[] = {
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/w/Base/ccx.ddx;Persist Security Info=False",
         "Data Source", "/w/Base/ccx.ddx"},
        {" DATA SOURCE = /my folder/ccx.ddx ; ", "data source", "/my folder/ccx.ddx"},
        {"Data Source=\"/a;b=c.db\";Mode=Read", "Data Source", "/a;b=c.db"},
        {"Data Source=\"/a;b=c.db\";Mode=Read", "mode", "Read"},
        {"Data Source='it''s.db'", "Data Source", "it's.db"},
        {"Data Source=\"say \"\"hi\"\"\"", "Data Source", "say \"hi\""},
        {";;Data Source=a;;", "Data Source", "a"},
        {"Data Source=a;Data Source=b", "Data Source", "b"},
        {"Data Source=", "Data Source", ""},
        {"Provider=Microsoft.Jet.OLEDB.4.0", "Data Source", nullptr},
        {"", "Data Source", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QString> value =
            ConnectionString(QString::fromUtf8(c.text)).value(QString::fromUtf8(c.key));
        if (c.expected == nullptr) {
            EXPECT_FALSE(value.has_value());
        } else {
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(*value, QString::fromUtf8(c.expected));
        }
    }
}

TEST(ConnectionStringTest, AQuotedValueReadsBackWholeWhateverItHolds) {
    for (const char* value :
         {"/w/Base/ccx.ddx", "/q;Busy Timeout=1;Data Source=/x/ccx.ddx", "/say \"hi\"/ccx.ddx",
          "/it's/ccx.ddx", " /spaced ; out ", "/Справочник=1/ccx.ddx", "\"", ""}) {
        SCOPED_TRACE(value);
        const QString text = QStringLiteral("Data Source=") +
                             ConnectionString::quoted(QString::fromUtf8(value)) +
                             QStringLiteral(";Persist Security Info=False");
        const ConnectionString connection(text);
        EXPECT_EQ(connection.pairs().size(), 2u);
        EXPECT_EQ(connection.value(QStringLiteral("Data Source")), QString::fromUtf8(value));
    }
}

TEST(ConnectionStringTest, RejectsMalformedTextNamingIt) {
    for (const char* text :
         {"Data Source", "Provider=X;Data Source", "Data Source='/x.db", "Data Source='/x.db' y"}) {
        SCOPED_TRACE(text);
        try {
            ConnectionString{QString::fromUtf8(text)};
            ADD_FAILURE() << "accepted";
        } catch (const EOleException& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(text))) << error.what();
        }
    }
}

} // namespace
