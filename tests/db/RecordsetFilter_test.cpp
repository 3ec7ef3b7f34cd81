#include "platform/db/RecordsetFilter.h"

#include "platform/Exceptions.h"
#include "platform/db/ResultRows.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

class RecordsetFilterTest : public ::testing::Test {
protected:
    RecordsetFilterTest() {
        struct Row {
            std::int64_t id;
            std::optional<double> tel;
            const char* fio;
            const char* name;
        };
        const Row rows[] = {
            {1, 23456.0, "Иванов И.И.", "ЛЕНИНА 1-2"}, {2, 34567.0, "ИВАНОВА А.А.", "МИРА 3"},
            {3, std::nullopt, "Петров П.П.", nullptr}, {4, 23406.0, "O'Brien", "ЛЕНИНА 5"},
            {5, 100.5, "иванченко", "Садовая 7"},
        };
        for (const Row& row : rows) {
            const StoredValue values[] = {
                StoredValue::ofInteger(row.id),
                row.tel ? StoredValue::ofReal(*row.tel) : StoredValue::null(),
                StoredValue::ofText(row.fio),
                row.name != nullptr ? StoredValue::ofText(row.name) : StoredValue::null()};
            store_.append(values);
        }
    }

    std::vector<std::int64_t> idsPassing(const char* text) const {
        const RecordsetFilter filter(QString::fromUtf8(text), fields_);
        std::vector<std::int64_t> ids;
        for (std::size_t row = 0; row < store_.rowCount(); ++row) {
            if (filter.matches(store_, row)) {
                ids.push_back(store_.value(row, 0).integer);
            }
        }
        return ids;
    }

    const std::vector<QString> fields_{"ID", "Tel", "Fio", "Name"};
    ResultRows store_{RowStore(4)};
};

using Ids = std::vector<std::int64_t>;

TEST_F(RecordsetFilterTest, SelectsTheRowsAUserExpects) {
    struct Case {
        const char* filter;
        Ids ids;
    };
    const Case cases[] = {
        // The street-and-name search: names that begin with the text, in any case.
        {"fio='ИВАН*'", {1, 2, 5}},
        {"fio='иван%'", {1, 2, 5}},
        {"fio='*ов*'", {1, 2, 3}},
        {"fio='*ченко'", {5}},
        {"fio = 'иванов и.и.'", {1}},
        {"fio='O''Brien'", {4}},
        {"fio <> 'ИВАНОВ И.И.'", {2, 3, 4, 5}},
        {"[fio] LIKE 'иванов%'", {1, 2}},
        {"FIO LIKE '%в_н%'", {1, 2, 5}},
        // Numbers compare numerically; LIKE sees their plain text.
        {"tel > 30000", {2}},
        {"tel = 23456", {1}},
        {"tel = '23456'", {1}},
        {"tel <= 23456", {1, 4, 5}},
        {"tel <> 23456", {2, 4, 5}},
        {"tel LIKE '%0%'", {4, 5}},
        {"tel >= 1e4", {1, 2, 4}},
        // Text order is the Russian alphabet's.
        {"fio >= 'П' AND fio < 'Р'", {3}},
        // AND binds tighter than OR; parentheses group.
        {"fio='ИВАН*' OR Name = 'ЛЕНИНА 5'", {1, 2, 4, 5}},
        {"(fio='ИВАН*' OR fio='Петров*') AND tel < 30000", {1, 5}},
        {"ID = 3 OR ID = 1 AND tel > 30000", {3}},
        {"(ID = 3 OR ID = 1) AND tel > 30000", {}},
        // NULL passes only the NULL tests.
        {"Name IS NULL", {3}},
        {"Name = NULL", {3}},
        {"Name IS NOT NULL", {1, 2, 4, 5}},
        {"Name <> 'x'", {1, 2, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(idsPassing(c.filter), c.ids);
    }
}

TEST_F(RecordsetFilterTest, RejectsTextItCannotParseSayingWhy) {
    struct Case {
        const char* filter;
        const char* message;
    };
    const Case cases[] = {
        {"Foo = 1", "Invalid filter: unknown field 'Foo'"},
        {"fio = ", "Invalid filter: expected a value after = at the end"},
        {"fio 'x'", "Invalid filter: expected a comparison operator at ''x''"},
        {"(fio = 'x'", "Invalid filter: expected ')' at the end"},
        {"fio = 'x", "Invalid filter: the value 'x is not closed with '"},
        {"fio = 'x' AND", "Invalid filter: expected a field name at the end"},
        {"fio = 'x' tel", "Invalid filter: unexpected 'tel'"},
        {"tel > NULL", "Invalid filter: NULL can be compared only with = or <>"},
        {"tel = #1/1/2006#", "Invalid filter: dates (#...#) are not supported"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        try {
            RecordsetFilter(QString::fromUtf8(c.filter), fields_);
            ADD_FAILURE() << "accepted";
        } catch (const EOleException& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
    }
}

// Found by fuzzing: thousands of "(" overflowed the stack of the recursive parser.
TEST_F(RecordsetFilterTest, DeepNestingIsRefusedNotAStackOverflow) {
    for (const int depth : {100000, 101}) {
        SCOPED_TRACE(depth);
        const QString text =
            QString(depth, u'(') + QStringLiteral("fio = 'x'") + QString(depth, u')');
        try {
            RecordsetFilter(text, fields_);
            ADD_FAILURE() << "accepted";
        } catch (const EOleException& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Invalid filter: parentheses nested more than 100 deep"));
        }
    }
    const QString deepest = QString(100, u'(') + QStringLiteral("fio = 'x'") + QString(100, u')');
    EXPECT_NO_THROW(RecordsetFilter(deepest, fields_));
}

} // namespace
