// The provider's accelerator seam, as a second engine or another table's accelerator would
// rely on it: an answer's rows and order are the result, a declined statement may run as a
// faster text, and a faster text that cannot run leaves the statement as written.
#include "tests/support/ProviderTestSupport.h"

#include "platform/db/SqliteAdoProvider.h"
#include "platform/db/SqliteAdoRecordset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Answers one statement with fixed rowids, and rewrites another; tells what it was asked.
class FixedAccelerator : public StatementAccelerator {
public:
    struct Script {
        QString answered;
        std::vector<std::int64_t> rowids;
        QString rewritten;
        QString faster;
        std::vector<TableName> tablesSeen;
    };
    explicit FixedAccelerator(Script& script) : script_(script) {}

    QString rewrite(SqliteDatabase&, const QString& sql) override {
        return sql == script_.rewritten ? script_.faster : sql;
    }
    std::unique_ptr<AcceleratedResult> answer(SqliteDatabase&, const QString& sql,
                                              const std::vector<TableName>& tablesRead) override {
        script_.tablesSeen = tablesRead;
        if (sql != script_.answered) {
            return nullptr;
        }
        return std::make_unique<Rows>(script_.rowids);
    }

private:
    // Rows by rowid, known texts of `fio` as they were when answered.
    class Rows : public AcceleratedResult {
    public:
        explicit Rows(std::vector<std::int64_t> rowids) : rowids_(std::move(rowids)) {}
        std::size_t size() const noexcept override { return rowids_.size(); }
        std::int64_t rowid(std::size_t row) const noexcept override { return rowids_[row]; }
        QString rowStatement() const override {
            return QStringLiteral("SELECT ID, fio FROM tel WHERE rowid = ?1");
        }
        std::optional<int> knownColumn(const QString& name) const override {
            return name == u"fio" ? std::optional<int>(0) : std::nullopt;
        }
        FoldedText knownText(std::size_t, int) const noexcept override {
            return {false, "известный"};
        }

    private:
        std::vector<std::int64_t> rowids_;
    };

    Script& script_;
};

class StatementAcceleratorTest : public ProviderTest {
protected:
    void SetUp() override {
        addEntries({Entry(1, "Первый"), Entry(2, "Второй"), Entry(3, "Третий"),
                    Entry(4, "Четвёртый"), Entry(5, "Пятый")});
    }
    AdoProvider& provider() override { return *provider_; }

    FixedAccelerator::Script script_;
    std::unique_ptr<AdoProvider> provider_ = MakeSqliteAdoProvider(
        [this](SqliteDatabase&) { return std::make_unique<FixedAccelerator>(script_); });
};

TEST_F(StatementAcceleratorTest, AnAnswerIsTheResultReadByRowidOnUse) {
    script_.answered = QStringLiteral("SELECT ID, fio FROM tel");
    script_.rowids = {4, 2, 9};
    OpenedQuery query = open(script_.answered);
    EXPECT_TRUE(dynamic_cast<SqliteAdoRecordset&>(*query.recordset).readsRowsOnUse());
    EXPECT_EQ(script_.tablesSeen, (std::vector<TableName>{{"main", "tel"}}));
    // A rowid no longer in the table reads as NULLs.
    EXPECT_EQ(ColumnTexts(*query.recordset, 0), (QStringList{"4", "2", "NULL"}));
}

// The rows around the first are read when the result opens; a filter tests their values, and
// the known texts of the rows not read yet.
TEST_F(StatementAcceleratorTest, AFilterTestsUnreadRowsOnTheKnownTexts) {
    script_.answered = QStringLiteral("SELECT ID, fio FROM tel");
    for (int row = 0; row < 100; ++row) {
        script_.rowids.push_back(1 + row % 5);
    }
    OpenedQuery query = open(script_.answered);
    query->setFilter(QStringLiteral("fio = 'ИЗВЕСТ*'"));
    EXPECT_EQ(query->recordCount(), 100 - 64);
}

TEST_F(StatementAcceleratorTest, ADeclinedStatementRunsAsTheFasterTextWhenItCan) {
    // The "faster" text here gives other rows, so that the test sees which text ran.
    script_.rewritten = QStringLiteral("SELECT ID FROM tel ORDER BY ID");
    script_.faster = QStringLiteral("SELECT ID FROM tel WHERE ID > 3 ORDER BY ID");
    EXPECT_FALSE(
        dynamic_cast<SqliteAdoRecordset&>(*open(script_.rewritten).recordset).readsRowsOnUse());
    EXPECT_EQ(ColumnTexts(*open(script_.rewritten).recordset, 0), (QStringList{"4", "5"}));

    script_.faster = QStringLiteral("SELECT ID FROM no_such_table");
    EXPECT_EQ(ColumnTexts(*open(script_.rewritten).recordset, 0),
              (QStringList{"1", "2", "3", "4", "5"}));
}

} // namespace
