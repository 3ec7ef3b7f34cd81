#include "tests/support/WorkingFolder.h"

#include "tests/tools/FolderSnapshot.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(WorkingFolderLifetimeTest, IsTheCurrentFolderWhileItLivesAndIsGoneAfter) {
    const QString previous = QDir::currentPath();
    QString path;
    {
        WorkingFolder folder;
        path = folder.path();
        EXPECT_NE(path, previous);
        EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                  QFileInfo(path).canonicalFilePath());
        EXPECT_EQ(FolderSnapshot(QStringLiteral(".")).keys(),
                  (QStringList{"Base", "Base/ccx.ddx", "History", "History/street.txt",
                               "History/tel.txt", "History/user.txt"}));
        EXPECT_TRUE(QFileInfo(folder.databasePath()).isFile());
        EXPECT_EQ(QFileInfo(folder.historyPath(QStringLiteral("user.txt"))).size(), 0);
        EXPECT_TRUE(folder.entries().empty());
    }
    EXPECT_EQ(QDir::currentPath(), previous);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(WorkingFolderLifetimeTest, FoldersAreIndependentAndNest) {
    WorkingFolder outer;
    outer.addEntries(
        {{23456, QStringLiteral("Иванов И.П."), QStringLiteral("ЛЕНИНА 12-45"), std::nullopt}});
    {
        WorkingFolder inner;
        EXPECT_NE(inner.path(), outer.path());
        EXPECT_TRUE(inner.entries().empty());
        inner.addEntries({{std::nullopt, std::nullopt, QStringLiteral(""), QStringLiteral("ё")}});
        EXPECT_EQ(inner.entries(),
                  (std::vector<DirectoryEntry>{
                      {std::nullopt, std::nullopt, QStringLiteral(""), QStringLiteral("ё")}}));
    }
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(outer.path()).canonicalFilePath());
    EXPECT_EQ(outer.entries().size(), 1u);
}

class WorkingFolderFixtureTest : public WorkingFolderTest {};

TEST_F(WorkingFolderFixtureTest, RunsTheTestInsideTheFolder) {
    EXPECT_TRUE(QFileInfo(QStringLiteral("Base/ccx.ddx")).isFile());
    addEntries({{1, QStringLiteral("a"), std::nullopt, std::nullopt}});
    EXPECT_EQ(folder().entries().size(), 1u);
}

} // namespace
