#pragma once

#include <QWidget>

#include <memory>

class AdoProvider;
class QAction;
class QMenu;
class QTimer;
class TADOQuery;
class TAutoIncField;
class TBevel;
class TButton;
class TComboBox;
class TDataSource;
class TDBGridEh;
class TEdit;
class TFloatField;
class TImage;
class TLabel;
class TPanel;
class TSpeedButton;
class TStatusBar;
class TWideStringField;

// The directory's main window: the start picture or the banner and the results grid above the
// search panel and the status bar, and the entry editor panel over the right of the grid.
// The controls carry the names of the window's layout; the window owns them all.
class TMenu : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 431;
    static constexpr int ClientHeight = 543;

    // The directory is reached through the provider.
    explicit TMenu(AdoProvider& provider, QWidget* parent = nullptr);
    ~TMenu() override;

    TImage* Image2 = nullptr; // start picture
    TPanel* Panel1 = nullptr; // banner
    TImage* Image1 = nullptr;
    TDBGridEh* DBGridEh1 = nullptr; // results grid
    TPanel* Panel2 = nullptr;       // search panel
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr; // edit toggle
    TSpeedButton* SpeedButton2 = nullptr; // exit
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TButton* Button1 = nullptr;     // search
    TComboBox* ComboBox1 = nullptr; // phone
    TComboBox* ComboBox2 = nullptr; // person or organisation
    TComboBox* ComboBox3 = nullptr; // street
    TEdit* Edit4 = nullptr;         // house
    TEdit* Edit5 = nullptr;         // apartment
    TStatusBar* StatusBar1 = nullptr;
    TPanel* Panel3 = nullptr; // entry editor
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* Label10 = nullptr;
    TEdit* Edit1 = nullptr; // phone
    TEdit* Edit2 = nullptr; // person or organisation
    TEdit* Edit3 = nullptr; // address
    TEdit* Edit6 = nullptr; // note
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N1 = nullptr; // clear the histories

    // The directory query with its persistent fields, and the data source feeding the grid.
    const std::unique_ptr<TADOQuery> ADOQuery1;
    TAutoIncField* ADOQuery1ID = nullptr;
    TFloatField* ADOQuery1Tel = nullptr;
    TWideStringField* ADOQuery1Fio = nullptr;
    TWideStringField* ADOQuery1Name = nullptr;
    TWideStringField* ADOQuery1Story = nullptr;
    const std::unique_ptr<TDataSource> DataSource1;

protected:
    // Centres the window on the desktop when it is first shown.
    void showEvent(QShowEvent* event) override;

private:
    void createQuery();
    void createPictures();
    void createGrid();
    void createSearchPanel();
    void createSearchFields();
    void createStatusBar();
    void createEntryEditor();
    void createComponents();
    void alignControls();
    void arrangeTabOrder();
    void connectHandlers();
    void recordHistory(TComboBox& field, const QString& fileName);
    void runSearchQuery(const QStringList& sqlLines, const QString& filter, bool filtered);

    bool allSearchTextsEmpty() const;
    void enterEmptyState();
    void enterSearchingState();

    // Creation handler: runs once when every control exists, before the window is shown;
    // sets the database location and loads the three history lists.
    void FormCreate();
    // The Search command: Button1, and Enter in the five search inputs.
    virtual void Button1Click();
    // Clears the three history files and lists (PopupMenu1's N1).
    void N1Click();
    // Closes the query, so the grid shows no rows until the next search.
    void closeQuery();

    void ComboBox1Change();
    void Timer1Timer();
    void ComboBox1KeyDown(int key);
    void ComboBox2KeyDown(int key);
    void ComboBox3KeyDown(int key);
    void SpeedButton2Click();
    void DBGridEh1CellClick();

    // The edit toggle: opens the entry editor on the current entry, or saves the entry and
    // closes the editor; each after asking the user.
    void SpeedButton1Click();
    void openEntryEditor();
    void saveEntryEditor();
    void showEntryEditorOpen(bool open);

    bool shownBefore_ = false;
    // A save of the editor began and did not finish: the entry may hold its texts unwritten.
    bool editorSaveFailed_ = false;
};
