#include "tests/support/PostgresTest.h"

#include "platform/db/PgConnection.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString AdminUri(const QString& host) {
    return QStringLiteral("postgresql:///postgres?host=%1&user=phonebook").arg(host);
}

void RunCluster(const QString& command, const QString& host) {
    QProcess cluster;
    cluster.start(QStringLiteral(PHONEBOOK_CLUSTER_SCRIPT), {command, host});
    ASSERT_TRUE(cluster.waitForFinished(60000));
    ASSERT_EQ(cluster.exitCode(), 0) << cluster.readAllStandardError().toStdString();
}

} // namespace

void PostgresTest::SetUp() {
    host_ = qEnvironmentVariable("PHONEBOOK_TEST_PGHOST");
    if (host_.isEmpty()) {
        if (qEnvironmentVariableIsSet("PHONEBOOK_REQUIRE_POSTGRES")) {
            FAIL() << "no PostgreSQL cluster: PHONEBOOK_TEST_PGHOST is not set";
        }
        GTEST_SKIP() << "no PostgreSQL cluster (scripts/test starts one and sets "
                        "PHONEBOOK_TEST_PGHOST)";
    }
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    database_ =
        QStringLiteral("%1_%2_%3")
            .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()))
            .arg(QCoreApplication::applicationPid())
            .toLower()
            .remove(QRegularExpression(QStringLiteral("[^a-z0-9_]")))
            .right(60);
    PgConnection admin(AdminUri(host_));
    admin.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(database_));
    uri_ = QStringLiteral("postgresql:///%1?host=%2&user=phonebook").arg(database_, host_);
}

void PostgresTest::TearDown() {
    if (database_.isEmpty()) {
        return;
    }
    PgConnection admin(AdminUri(host_));
    admin.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(database_));
}

void PostgresTest::haltServer() {
    RunCluster(QStringLiteral("halt"), host_);
}

void PostgresTest::resumeServer() {
    RunCluster(QStringLiteral("resume"), host_);
}
