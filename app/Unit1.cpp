#include "app/Unit1.h"

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "data/TDataSource.h"
#include "data/TWideStringField.h"
#include "app/DirectoryGrid.h"
#include "grid/TDBGridEh.h"

#include "platform/ui/AccessibleNames.h"
#include "platform/ui/AlignLayout.h"
#include "platform/ui/Colors.h"
#include "platform/ui/EventBoundary.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/TBevel.h"
#include "platform/ui/TButton.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TImage.h"
#include "platform/ui/TLabel.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TSpeedButton.h"
#include "platform/ui/TStatusBar.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <iterator>
#include <utility>

namespace {

// A thin-framed tool window with only a close button; it cannot be resized.
constexpr Qt::WindowFlags ToolWindowFlags = Qt::Tool | Qt::CustomizeWindowHint |
                                            Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                            Qt::MSWindowsFixedSizeDialogHint;

const QColor Silver(192, 192, 192);
const QString SearchStatus = QStringLiteral("Поиск");
// What a screen reader calls the results grid.
const QString ResultsName = QStringLiteral("Результаты поиска");
const QString IconPath = QStringLiteral(":/icon/phonebook.ico");
const QString SearchPanelHint =
    QStringLiteral("Для того чтобы очистить историю поиска, нажмите правую кнопку мыши.");

void centreOnDesktop(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

template <typename Control, typename... Arguments>
Control* Create(QWidget* parent, const char* name, const QRect& geometry,
                Arguments&&... arguments) {
    auto* control = new Control(std::forward<Arguments>(arguments)..., parent);
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(geometry);
    return control;
}

constexpr bool WordWrapped = true;

TLabel* CreateLabel(QWidget* parent, const char* name, const QRect& geometry,
                    const QString& caption, bool wordWrap = false) {
    auto* label = Create<TLabel>(parent, name, geometry, caption);
    label->setWordWrap(wordWrap);
    label->GrowToCaption();
    return label;
}

TPanel* CreatePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = Create<TPanel>(parent, name, geometry);
    panel->SetColor(Silver);
    return panel;
}

// A picture stretched over the whole control; a picture the program cannot read is reported
// and leaves the control empty.
TImage* CreatePicture(QWidget* parent, const char* name, const QRect& geometry,
                      const QString& resource) {
    auto* picture = Create<TImage>(parent, name, geometry);
    MarkDecorative(*picture);
    picture->SetStretch(true);
    picture->SetCenter(true);
    RunHandler([&] { picture->LoadJpeg(resource); });
    return picture;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TMenu::TMenu(AdoProvider& provider, QWidget* parent)
    : QWidget(parent, ToolWindowFlags), ADOQuery1(std::make_unique<TADOQuery>(provider)),
      DataSource1(std::make_unique<TDataSource>()) {
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("Телефонный справочник г. Вельтинска 2006"));
    setFixedSize(ClientWidth, ClientHeight);
    // A tool window would not end the program when it closes; this one is the program.
    setAttribute(Qt::WA_QuitOnClose);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFont(WindowFont());
    if (QFile::exists(IconPath))
        setWindowIcon(QIcon(IconPath));

    createQuery();
    createPictures();
    createGrid();
    createSearchPanel();
    createStatusBar();
    createEntryEditor();
    createComponents();
    alignControls();
    arrangeTabOrder();
    connectHandlers();
    ComboBox1->setFocus();
    RunHandler([this] { FormCreate(); });
}

// The grid's data link refers to DataSource1, so the grid goes before the components.
TMenu::~TMenu() {
    delete DBGridEh1;
}

void TMenu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        centreOnDesktop(*this);
    }
}

// The start picture fills the window; the banner strip lies on the top-aligned Panel1.
void TMenu::createPictures() {
    Image2 = CreatePicture(this, "Image2", {0, 0, ClientWidth, 382},
                           QStringLiteral(":/pictures/town.jpg"));
    Panel1 = CreatePanel(this, "Panel1", {0, 0, ClientWidth, 59});
    // The banner's panel stays a plain container without a name: a reader passes over it to
    // the picture inside, which is marked as decoration.
    Panel1->hide();
    Image1 =
        CreatePicture(Panel1, "Image1", {0, 0, 433, 59}, QStringLiteral(":/pictures/banner.jpg"));
    Image1->hide();
}

// The results grid takes this place in the stacking order, above the pictures and below
// the search panel and the entry editor.
// The results grid, bound to DataSource1; hidden until a search field holds text.
void TMenu::createGrid() {
    DBGridEh1 = Create<TDBGridEh>(this, "DBGridEh1", {0, 59, ClientWidth, 323});
    ConfigureDirectoryGrid(*DBGridEh1, *DataSource1);
    DBGridEh1->setAccessibleName(ResultsName);
    DBGridEh1->hide();
}

void TMenu::createSearchPanel() {
    Panel2 = CreatePanel(this, "Panel2", {0, 382, ClientWidth, 142});
    Panel2->setToolTip(SearchPanelHint);
    Label1 = CreateLabel(Panel2, "Label1", {30, 6, 44, 13}, QStringLiteral("Телефон"));
    Label2 =
        CreateLabel(Panel2, "Label2", {200, 6, 125, 13}, QStringLiteral("Ф.И.О. или Организация"));
    Label3 = CreateLabel(Panel2, "Label3", {32, 52, 31, 13}, QStringLiteral("Улица"));
    SpeedButton1 =
        Create<TSpeedButton>(Panel2, "SpeedButton1", {402, 6, 23, 22}, QStringLiteral("+"));
    SpeedButton1->SetFlat(true);
    SpeedButton1->setFont(PlatformFont(QStringLiteral("Tahoma"), 16, true));
    showEntryEditorOpen(false);
    SpeedButton1->hide();
    SpeedButton2 =
        Create<TSpeedButton>(Panel2, "SpeedButton2", {349, 111, 76, 25}, QStringLiteral("Выход"));
    Label8 = CreateLabel(Panel2, "Label8", {200, 52, 20, 13}, QStringLiteral("Дом"));
    Label9 = CreateLabel(Panel2, "Label9", {272, 52, 49, 13}, QStringLiteral("Квартира"));
    Button1 = Create<TButton>(Panel2, "Button1", {350, 69, 75, 25}, QStringLiteral("Поиск"));
    createSearchFields();
}

void TMenu::createSearchFields() {
    ComboBox1 = Create<TComboBox>(Panel2, "ComboBox1", {32, 25, 145, 21});
    ComboBox2 = Create<TComboBox>(Panel2, "ComboBox2", {200, 25, 185, 21});
    ComboBox2->SetUpperCase(true);
    ComboBox3 = Create<TComboBox>(Panel2, "ComboBox3", {32, 71, 145, 21});
    ComboBox3->SetUpperCase(true);
    Edit4 = Create<TEdit>(Panel2, "Edit4", {200, 71, 54, 21});
    Edit5 = Create<TEdit>(Panel2, "Edit5", {272, 71, 53, 21});
    NameAfterLabel(*ComboBox1, *Label1);
    NameAfterLabel(*ComboBox2, *Label2);
    NameAfterLabel(*ComboBox3, *Label3);
    NameAfterLabel(*Edit4, *Label8);
    NameAfterLabel(*Edit5, *Label9);
}

void TMenu::createStatusBar() {
    StatusBar1 = Create<TStatusBar>(this, "StatusBar1", {0, 524, ClientWidth, 19});
    StatusBar1->AddPanel(QStringLiteral("Результат поиска:"), 125);
    StatusBar1->AddPanel(SearchStatus, TStatusBar::ToRightEdge);
}

// Lies over the right part of the grid; the window clips its last 2 pixels.
void TMenu::createEntryEditor() {
    Panel3 = CreatePanel(this, "Panel3", {222, 136, 211, 246});
    Panel3->hide();
    Label4 = CreateLabel(Panel3, "Label4", {8, 4, 22, 13}, QStringLiteral("Тел."));
    Label5 = CreateLabel(Panel3, "Label5", {8, 50, 35, 13}, QStringLiteral("Ф.И.О."));
    Label6 = CreateLabel(Panel3, "Label6", {8, 96, 31, 13}, QStringLiteral("Адрес"));
    Label7 = CreateLabel(Panel3, "Label7", {151, 14, 42, 26}, QStringLiteral("Новый адресат"),
                         WordWrapped);
    Bevel1 = Create<TBevel>(Panel3, "Bevel1", {143, 10, 58, 36});
    Label10 = CreateLabel(Panel3, "Label10", {8, 142, 61, 13}, QStringLiteral("Примичание"));
    Edit1 = Create<TEdit>(Panel3, "Edit1", {8, 23, 121, 21});
    Edit2 = Create<TEdit>(Panel3, "Edit2", {8, 69, 193, 21});
    Edit3 = Create<TEdit>(Panel3, "Edit3", {8, 115, 193, 21});
    // One line of text at the top of a tall field.
    Edit6 = Create<TEdit>(Panel3, "Edit6", {8, 161, 193, 72});
    Edit6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    NameAfterLabel(*Edit1, *Label4);
    NameAfterLabel(*Edit2, *Label5);
    NameAfterLabel(*Edit3, *Label6);
    NameAfterLabel(*Edit6, *Label10);
    // The caption in the frame names the whole panel.
    Panel3->setAccessibleName(Label7->text());
}

// The query stays closed; FormCreate gives it the database's location.
void TMenu::createQuery() {
    const DirectoryQueryFields fields = ConfigureDirectoryQuery(*ADOQuery1);
    ADOQuery1ID = fields.ADOQuery1ID;
    ADOQuery1Tel = fields.ADOQuery1Tel;
    ADOQuery1Fio = fields.ADOQuery1Fio;
    ADOQuery1Name = fields.ADOQuery1Name;
    ADOQuery1Story = fields.ADOQuery1Story;
    DataSource1->SetDataSet(ADOQuery1.get());
}

void TMenu::createComponents() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("Очистить историю"));
    N1->setObjectName(QStringLiteral("N1"));
    Panel2->SetPopupMenu(PopupMenu1);
}

// The status bar lies below the search panel at the bottom edge.
void TMenu::alignControls() {
    using Align = AlignLayout::Align;
    auto* layout = new AlignLayout(this);
    layout->Add(Panel1, Align::Top);
    layout->Add(StatusBar1, Align::Bottom);
    layout->Add(Panel2, Align::Bottom);
    layout->Add(Image2, Align::Client);
    layout->Add(DBGridEh1, Align::Client);
}

// The search panel's fields in their own order, then its two buttons, the edit toggle last so
// that it stands next to the editor's fields it opens and saves.
void TMenu::arrangeTabOrder() {
    QWidget* const order[] = {DBGridEh1, ComboBox1, Button1,      ComboBox2,    ComboBox3,
                              Edit4,     Edit5,     SpeedButton2, SpeedButton1, Edit1,
                              Edit2,     Edit3,     Edit6};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TMenu::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(SpeedButton1, &QToolButton::clicked, this, Guarded([this] { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, Guarded([this] { SpeedButton2Click(); }));
    connect(N1, &QAction::triggered, this, Guarded([this] { N1Click(); }));
    DBGridEh1->OnCellClick = Guarded([this](TColumnEh&) { DBGridEh1CellClick(); });
    for (TComboBox* field : {ComboBox1, ComboBox2, ComboBox3})
        connect(field, &TComboBox::Changed, this, Guarded([this] { ComboBox1Change(); }));
    const auto onKeyDown = [this](void (TMenu::*handler)(int)) {
        return Guarded([this, handler](int key, Qt::KeyboardModifiers) { (this->*handler)(key); });
    };
    connect(ComboBox1, &TComboBox::KeyDown, this, onKeyDown(&TMenu::ComboBox1KeyDown));
    connect(ComboBox2, &TComboBox::KeyDown, this, onKeyDown(&TMenu::ComboBox2KeyDown));
    connect(ComboBox3, &TComboBox::KeyDown, this, onKeyDown(&TMenu::ComboBox3KeyDown));
    connect(Edit4, &TEdit::KeyDown, this, onKeyDown(&TMenu::ComboBox1KeyDown));
    connect(Edit5, &TEdit::KeyDown, this, onKeyDown(&TMenu::ComboBox1KeyDown));
    Timer1->start();
}

bool TMenu::allSearchTextsEmpty() const {
    return ComboBox1->Text().isEmpty() && ComboBox2->Text().isEmpty() &&
           ComboBox3->Text().isEmpty();
}

void TMenu::enterEmptyState() {
    Image1->hide();
    Image2->show();
    Panel1->hide();
    DBGridEh1->hide();
    SpeedButton1->hide();
    StatusBar1->SetPanelText(1, SearchStatus);
    Edit4->setText(QString());
    Edit5->setText(QString());
}

void TMenu::enterSearchingState() {
    Image1->show();
    Image2->hide();
    Panel1->show();
    SpeedButton1->show();
    DBGridEh1->show();
    closeQuery();
}

// Any change of a search field: with all three empty the start picture comes back, otherwise
// the banner and the (emptied) grid show.
void TMenu::ComboBox1Change() {
    if (allSearchTextsEmpty())
        enterEmptyState();
    else
        enterSearchingState();
}

// Search is offered unless every field is empty and no search has reported since.
void TMenu::Timer1Timer() {
    Button1->setEnabled(!(allSearchTextsEmpty() && StatusBar1->PanelText(1) == SearchStatus));
}

// Enter searches at once, whatever modifiers are held and even while Button1 is disabled;
// the field then handles the key as usual.
void TMenu::ComboBox1KeyDown(int key) {
    if (IsEnter(key))
        Button1Click();
}

void TMenu::ComboBox2KeyDown(int key) {
    ComboBox1KeyDown(key);
}

void TMenu::ComboBox3KeyDown(int key) {
    ComboBox1KeyDown(key);
}

// The note of the clicked entry becomes the grid's hint, until the next click.
void TMenu::DBGridEh1CellClick() {
    DBGridEh1->SetHint(ADOQuery1Story->AsString());
}

void TMenu::SpeedButton2Click() {
    close();
}
