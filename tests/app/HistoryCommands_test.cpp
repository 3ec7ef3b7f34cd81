#include "tests/app/SearchWindowFixture.h"

#include "platform/ui/ApplicationTitle.h"

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

class HistoryCommandsTest : public SearchWindowTest {
protected:
    void writeHistory(const QString& fileName, const QByteArray& bytes) {
        QFile file(folder().historyPath(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    void fillHistories() {
        writeHistory(u"tel.txt"_s, "345\r\n12");
        writeHistory(u"user.txt"_s, ToWindows1251(u"ПЕТРОВ\r\nИВАНОВ\r\n"));
        writeHistory(u"street.txt"_s, ToWindows1251(u"ЛЕНИНА\r\n"));
    }

    std::vector<QStringList> lists() {
        return {menu().ComboBox1->ListItems(), menu().ComboBox2->ListItems(),
                menu().ComboBox3->ListItems()};
    }

    static DialogRequest Plain(const QString& text) {
        return {DialogKind::PlainMessage, ApplicationTitle(), text, DialogIcon::None,
                DialogButtons::Ok};
    }
    static DialogRequest Report(const QString& text) {
        return {DialogKind::MessageBox, ApplicationTitle(), text, DialogIcon::Stop,
                DialogButtons::Ok};
    }
};

TEST_F(HistoryCommandsTest, StartUpLoadsTheThreeListsSortedAndSetsTheDatabase) {
    fillHistories();
    const std::vector<QStringList> expected{
        {u"12"_s, u"345"_s}, {u"ИВАНОВ"_s, u"ПЕТРОВ"_s}, {u"ЛЕНИНА"_s}};
    EXPECT_EQ(lists(), expected);
    EXPECT_TRUE(dialogs->requests().empty());
    const QString database = QDir::toNativeSeparators(QDir::currentPath() + u"/Base/ccx.ddx"_s);
    EXPECT_EQ(menu().ADOQuery1->ConnectionString(),
              u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\""_s + database +
                  u"\";Persist Security Info=False"_s);
}

TEST_F(HistoryCommandsTest, AMissingFileAtStartUpLeavesItsListAndTheLaterOnesEmpty) {
    fillHistories();
    QFile::remove(folder().historyPath(u"user.txt"_s));

    const std::vector<QStringList> expected{{u"12"_s, u"345"_s}, {}, {}};
    EXPECT_EQ(lists(), expected);
    ASSERT_EQ(dialogs->requests().size(), 1u);
    const QString path = QDir::toNativeSeparators(folder().historyPath(u"user.txt"_s));
    EXPECT_TRUE(dialogs->requests()[0].text.startsWith(u"Cannot open file \""_s + path + u"\". "_s))
        << dialogs->requests()[0].text.toStdString();
    EXPECT_FALSE(menu().ADOQuery1->ConnectionString().isEmpty());
}

TEST_F(HistoryCommandsTest, ClearingEmptiesEveryFileAndListButKeepsTheTypedTexts) {
    fillHistories();
    menu().ComboBox2->SetText(u"ИВАН"_s);
    menu().N1->trigger();

    for (const QString& name : {u"tel.txt"_s, u"user.txt"_s, u"street.txt"_s})
        EXPECT_EQ(historyBytes(name), QByteArray()) << name.toStdString();
    EXPECT_EQ(lists(), std::vector<QStringList>(3));
    EXPECT_EQ(menu().ComboBox2->Text(), u"ИВАН"_s);
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(HistoryCommandsTest, ClearingWithOneFileMissingWarnsOnceAndCreatesIt) {
    fillHistories();
    menu();
    QFile::remove(folder().historyPath(u"user.txt"_s));
    menu().N1->trigger();

    EXPECT_EQ(historyBytes(u"user.txt"_s), QByteArray());
    EXPECT_EQ(lists(), std::vector<QStringList>(3));
    EXPECT_EQ(dialogs->requests(), std::vector<DialogRequest>{Plain(u"Ошибка открытия файла!"_s)});
}

TEST_F(HistoryCommandsTest, ClearingWithoutTheHistoryFolderReportsAnInvalidFilename) {
    fillHistories();
    menu();
    QDir(folder().path() + u"/History"_s).removeRecursively();
    menu().N1->trigger();

    const std::vector<DialogRequest> expected{Plain(u"Ошибка открытия файла!"_s),
                                              Report(u"Invalid filename."_s)};
    EXPECT_EQ(dialogs->requests(), expected);
    EXPECT_EQ(menu().ComboBox1->ListItems(), QStringList({u"12"_s, u"345"_s}));
    EXPECT_FALSE(QDir(folder().path() + u"/History"_s).exists());
}

} // namespace
