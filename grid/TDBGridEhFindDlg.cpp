// The find dialog: its layout, the opening steps, the search request it builds from its
// controls, the pattern history and its keys.
#include "grid/TDBGridEhFindDlg.h"

#include "data/TADOQuery.h"
#include "grid/SearchTextMatcher.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhDataService.h"
#include "platform/ui/AccessibleNames.h"
#include "platform/ui/EventBoundary.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

namespace {

constexpr int FontPixelSize = 10;
constexpr int HistoryRowsShown = 17;
const QString AllColumns = QStringLiteral("<All>");

// A caption whose accelerator letter is underlined, as the platform draws it. The field it
// names is its buddy, so Alt with the letter moves the focus there.
class AcceleratorLabel : public QLabel {
public:
    AcceleratorLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
        setTextFormat(Qt::PlainText);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), foregroundRole());
    }
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QRect bounds) {
    QLabel* label = new AcceleratorLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(bounds);
    // The platform sizes a label to its caption; metrics differ by a pixel or two.
    const int needed =
        label->fontMetrics().horizontalAdvance(QString(caption).remove(QLatin1Char('&')));
    if (needed > bounds.width())
        label->resize(needed, bounds.height());
    return label;
}

QComboBox* MakeChoice(QWidget* parent, const char* name, QRect bounds, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(bounds);
    combo->addItems(items);
    return combo;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, QRect bounds,
                        bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(bounds);
    box->setChecked(checked);
    return box;
}

// No button is a default button; the form's key preview gives Enter to a focused one.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect bounds) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(bounds);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TDBGridEhFindDlg::TDBGridEhFindDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("DBGridEhFindDlg"));
    setWindowTitle(QStringLiteral("Поиск"));
    setFont(PlatformFont(QStringLiteral("MS Sans Serif"), FontPixelSize));
    setBackgroundRole(QPalette::Button);
    setFixedSize(FormWidth, FormHeight);
    CreateControls();
    ConnectControls();
}

void TDBGridEhFindDlg::CreateControls() {
    Label1 = MakeLabel(this, "Label1", QStringLiteral("&Образец:"), {9, 11, 54, 12});
    Label2 = MakeLabel(this, "Label2", QStringLiteral("&Поиск в:"), {9, 32, 49, 12});
    cbMatchType = MakeLabel(this, "cbMatchType", QStringLiteral("&Совпадение:"), {9, 53, 74, 12});
    Label3 = MakeLabel(this, "Label3", QStringLiteral("Прос&мотр:"), {9, 76, 58, 12});

    cbText = MakeChoice(this, "cbText", {81, 8, 292, 20}, {});
    cbText->setEditable(true);
    cbText->setInsertPolicy(QComboBox::NoInsert);
    cbText->setCompleter(nullptr);
    cbText->setMaxVisibleItems(HistoryRowsShown);
    cbFindIn = MakeChoice(this, "cbFindIn", {81, 29, 178, 20}, {});
    cbMatchinType = MakeChoice(this, "cbMatchinType", {81, 51, 134, 20},
                               {QStringLiteral("С любой части поля"),
                                QStringLiteral("Поля целиком"), QStringLiteral("С начала поля")});
    cbFindDirection =
        MakeChoice(this, "cbFindDirection", {81, 73, 134, 20},
                   {QStringLiteral("Вверх"), QStringLiteral("Вниз"), QStringLiteral("Все")});
    cbFindDirection->setCurrentIndex(gsdAll);
    cbCharCase = MakeCheckBox(this, "cbCharCase", QStringLiteral("С учетом ре&гистра"),
                              {81, 97, 134, 13}, false);
    cbUseFormat = MakeCheckBox(this, "cbUseFormat", QStringLiteral("С у&четом формата"),
                               {240, 97, 133, 13}, true);
    bFind = MakeButton(this, "bFind", QStringLiteral("На&йти далее"), {380, 8, 80, 22});
    bCancel = MakeButton(this, "bCancel", QStringLiteral("Закрыть"), {380, 35, 80, 22});

    NameAfterLabel(*cbText, *Label1);
    NameAfterLabel(*cbFindIn, *Label2);
    NameAfterLabel(*cbMatchinType, *cbMatchType);
    NameAfterLabel(*cbFindDirection, *Label3);

    QWidget* const tabOrder[] = {cbText,     cbFindIn,    cbMatchinType, cbFindDirection,
                                 cbCharCase, cbUseFormat, bFind,         bCancel};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
    for (QWidget* control : tabOrder)
        control->installEventFilter(this);
}

void TDBGridEhFindDlg::ConnectControls() {
    const auto firstSearchAgain = [this] {
        firstSearch_ = true;
    };
    connect(cbText, &QComboBox::editTextChanged, this, firstSearchAgain);
    connect(cbFindIn, &QComboBox::currentIndexChanged, this, firstSearchAgain);
    connect(cbFindDirection, &QComboBox::currentIndexChanged, this, firstSearchAgain);
    connect(bFind, &QPushButton::clicked, this, Guarded([this] { bFindClick(); }));
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TDBGridEh* TDBGridEhFindDlg::Grid() const {
    return grid_;
}

// --- Opening ---------------------------------------------------------------------------------

void TDBGridEhFindDlg::Prepare(TDBGridEh& grid, const QString& text) {
    cbText->setEditText(text);
    grid_ = &grid;
    FillColumnList(grid);
    ChooseCurrentColumn(grid);
    firstSearch_ = true;
    cbText->setFocus(Qt::OtherFocusReason);
}

void TDBGridEhFindDlg::Execute(TDBGridEh& grid, const QString& text, bool modal) {
    Prepare(grid, text);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == modal)
        setWindowFlag(Qt::WindowStaysOnTopHint, !modal);
    CentreOnScreen();
    if (modal) {
        exec();
        return;
    }
    show();
    raise();
    activateWindow();
}

void TDBGridEhFindDlg::FillColumnList(const TDBGridEh& grid) {
    const QSignalBlocker blocker(cbFindIn);
    cbFindIn->clear();
    const TDBGridColumnsEh& columns = grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        if (columns[i].Visible())
            cbFindIn->addItem(columns[i].Title().Caption(), i);
    }
    cbFindIn->addItem(AllColumns, -1);
}

void TDBGridEhFindDlg::ChooseCurrentColumn(const TDBGridEh& grid) {
    const TColumnEh* current = grid.ColumnAt(grid.Col());
    int chosen = cbFindIn->count() - 1;
    if (current != nullptr) {
        const int found = cbFindIn->findText(current->Title().Caption(), Qt::MatchFixedString);
        if (found >= 0)
            chosen = found;
    }
    const QSignalBlocker blocker(cbFindIn);
    cbFindIn->setCurrentIndex(chosen);
}

void TDBGridEhFindDlg::CentreOnScreen() {
    const QScreen* screen = grid_ != nullptr ? grid_->screen() : QApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

// --- Searching -------------------------------------------------------------------------------

void TDBGridEhFindDlg::bFindClick() {
    const bool reverse = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    AddPatternToHistory(cbText->currentText());
    if (grid_ == nullptr || grid_->DataSet() == nullptr || !grid_->DataSet()->Active())
        return;
    if (DBGridEhDataService().LocateText(*grid_, SearchRequest(reverse)))
        firstSearch_ = false;
}

TGridSearchRequest TDBGridEhFindDlg::SearchRequest(bool reverse) const {
    TGridSearchRequest request;
    request.pattern = cbText->currentText();
    const bool allColumns = cbFindIn->currentIndex() == cbFindIn->count() - 1;
    request.options.Set(gsoIgnoreCase, !cbCharCase->isChecked())
        .Set(gsoDisplayText, cbUseFormat->isChecked())
        .Set(gsoAllColumns, allColumns);

    const int direction = cbFindDirection->currentIndex();
    request.direction = direction == gsdUp ? gsdUp : direction == gsdDown ? gsdDown : gsdAll;
    if (reverse)
        request.direction = request.direction == gsdUp ? gsdDown : gsdUp;
    if (!firstSearch_ && request.direction == gsdAll)
        request.direction = gsdDown;

    const int matching = cbMatchinType->currentIndex();
    request.matching = matching == gsmWholeField      ? gsmWholeField
                       : matching == gsmFromBeginning ? gsmFromBeginning
                                                      : gsmAnyPart;
    const int column = cbFindIn->currentIndex() >= 0 ? cbFindIn->currentData().toInt() : -1;
    const TDBGridEh* grid = grid_;
    if (column >= 0 && grid != nullptr && column < grid->Columns().Count()) {
        request.columnIndex = column;
        request.fieldName = grid->Columns()[column].FieldName();
    }
    return request;
}

void TDBGridEhFindDlg::AddPatternToHistory(const QString& pattern) {
    const SearchTextMatcher samePattern(pattern, gsmWholeField, true);
    for (int i = 0; i < cbText->count(); ++i) {
        if (samePattern.Matches(cbText->itemText(i)))
            return;
    }
    // Adding an item must not look like an edit of the pattern.
    const QSignalBlocker blocker(cbText);
    cbText->addItem(pattern);
    cbText->setEditText(pattern);
}

// --- Keys and closing --------------------------------------------------------------------------

bool TDBGridEhFindDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnterKey(key->key())) {
        // A focused button takes Enter itself.
        if (auto* button = qobject_cast<QPushButton*>(watched))
            button->click();
        else
            RunHandler([this] { bFindClick(); });
        return true;
    }
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        bCancel->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDBGridEhFindDlg::done(int result) {
    QDialog::done(result);
    if (grid_ != nullptr) {
        grid_->activateWindow();
        grid_->setFocus(Qt::OtherFocusReason);
    }
}

// --- The process's dialog ----------------------------------------------------------------------

namespace {

TDBGridEhFindDlg*& Instance() {
    static TDBGridEhFindDlg* dialog = nullptr;
    return dialog;
}

} // namespace

TDBGridEhFindDlg& DBGridEhFindDlg() {
    TDBGridEhFindDlg*& dialog = Instance();
    if (dialog == nullptr) {
        dialog = new TDBGridEhFindDlg();
        // Widgets must go before the application does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                         [] { ReleaseDBGridEhFindDlg(); });
    }
    return *dialog;
}

TDBGridEhFindDlg* ExistingDBGridEhFindDlg() {
    return Instance();
}

void ReleaseDBGridEhFindDlg() {
    delete std::exchange(Instance(), nullptr);
}

void ExecuteDBGridEhFindDialog(TDBGridEh& grid, const QString& text, const QString&, bool modal) {
    DBGridEhFindDlg().Execute(grid, text, modal);
}
