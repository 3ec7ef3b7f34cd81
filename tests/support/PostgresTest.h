#pragma once

#include <QString>

#include <gtest/gtest.h>

// A test against the throwaway PostgreSQL cluster that scripts/test starts (its socket folder
// in PHONEBOOK_TEST_PGHOST). Each test has a database of its own, dropped afterwards. Without
// a cluster the test is skipped with a line that says so; where PHONEBOOK_REQUIRE_POSTGRES is
// set (scripts/test sets it), a missing cluster fails the test instead.
class PostgresTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The connection URI of the test's own database.
    const QString& uri() const noexcept { return uri_; }
    // Stops the server and starts it again, as an administrator would.
    void haltServer();
    void resumeServer();

private:
    QString host_;
    QString database_;
    QString uri_;
};
