// The main window's commands: start-up, the Search command and the search histories.
#include "app/Unit1.h"

#include "app/SearchHistory.h"
#include "directory/SearchRules.h"
#include "data/FloatToStr.h"
#include "data/TADOQuery.h"
#include "platform/db/ConnectionString.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TStatusBar.h"

#include <QDir>

namespace {

const QString PhoneHistory = QStringLiteral("tel.txt");
const QString NameHistory = QStringLiteral("user.txt");
const QString StreetHistory = QStringLiteral("street.txt");

// The connection string for the database below the current directory.
QString DirectoryConnectionString() {
    const QString directory = QDir::toNativeSeparators(QDir::currentPath());
    const QString database = QDir::toNativeSeparators(QStringLiteral("/Base/ccx.ddx"));
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           ConnectionString::quoted(directory + database) +
           QStringLiteral(";Persist Security Info=False");
}

} // namespace

// Sets the database location and loads the three history lists; a list that cannot be
// loaded ends the loading there.
void TMenu::FormCreate() {
    ADOQuery1->SetConnectionString(DirectoryConnectionString());
    ComboBox1->SetListItems(LoadHistory(HistoryPath(PhoneHistory)));
    ComboBox2->SetListItems(LoadHistory(HistoryPath(NameHistory)));
    ComboBox3->SetListItems(LoadHistory(HistoryPath(StreetHistory)));
}

void TMenu::Button1Click() {
    ADOQuery1->SetFiltered(false);
    recordHistory(*ComboBox1, PhoneHistory);
    recordHistory(*ComboBox2, NameHistory);
    recordHistory(*ComboBox3, StreetHistory);

    const SearchTexts texts{ComboBox1->Text(), ComboBox2->Text(), ComboBox3->Text(), Edit4->text(),
                            Edit5->text()};
    for (const SearchQuery& query : SearchQueries(texts))
        runSearchQuery(SearchSqlLines(query.condition), query.filter, query.filtered);

    const long found = ADOQuery1->Active() ? ADOQuery1->RecordCount() : 0;
    StatusBar1->SetPanelText(1, QStringLiteral("Найдено: ") + FloatToStr(found));
}

// Remembers a filled field's text in its history file and, when new, in its list.
void TMenu::recordHistory(TComboBox& field, const QString& fileName) {
    const QString text = field.Text();
    if (!text.isEmpty() && RecordSearchText(HistoryPath(fileName), text))
        field.AddListItem(text);
}

// Replaces the query's text (which closes it), sets the filter of the street-and-name rule
// and opens the query.
void TMenu::runSearchQuery(const QStringList& sqlLines, const QString& filter, bool filtered) {
    ADOQuery1->SQL().Clear();
    for (const QString& line : sqlLines)
        ADOQuery1->SQL().Add(line);
    if (filtered) {
        ADOQuery1->SetFilter(filter);
        ADOQuery1->SetFiltered(true);
    }
    ADOQuery1->Open();
}

// Empties the three history files and lists, phone first; a failure leaves the later ones.
void TMenu::N1Click() {
    const std::pair<TComboBox*, QString> histories[] = {
        {ComboBox1, PhoneHistory}, {ComboBox2, NameHistory}, {ComboBox3, StreetHistory}};
    for (const auto& [field, fileName] : histories) {
        ClearHistoryFile(HistoryPath(fileName));
        field->ClearListItems();
    }
}

void TMenu::closeQuery() {
    ADOQuery1->Close();
}
