// The grid's configuration properties, focus handling and the routing of Qt's events, each of
// which runs through the event boundary so that a failure ends only that event.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/GridKeyboardController.h"
#include "grid/GridPainter.h"
#include "grid/TGridHorzScrollBar.h"
#include "platform/ui/EventBoundary.h"
#include "platform/ui/TCanvas.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWheelEvent>

TDBGridEh::TDBGridEh(QWidget* parent)
    : QWidget(parent), vertScrollBar_(new TVertDBGridEhScrollBar(*this)),
      horzScrollBar_(new TGridHorzScrollBar(*this)) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted, which also lets Qt move pixels when the rows scroll.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    GridAccessibleEvents::InstallFactory();
}

TDBGridEh::~TDBGridEh() {
    // The link must not call back into a grid that is going away.
    dataLink_.SetDataSource(nullptr);
}

void TDBGridEh::SetLoading(bool loading) {
    if (loading == loading_)
        return;
    loading_ = loading;
    if (!loading_)
        LayoutChanged();
}

void TDBGridEh::SetDataSource(TDataSource* dataSource) {
    if (dataSource == DataSource())
        return;
    dataLink_.SetDataSource(dataSource);
    LayoutChanged();
}

void TDBGridEh::SetColumnDefValues(const TColumnDefValuesEh& values) {
    columnDefValues_ = values;
    LayoutChanged();
}

void TDBGridEh::SetOptions(TGridOptions options) {
    if (options == options_)
        return;
    const bool multiSelectOff = selection_.MultiSelect() && !options.Contains(dgMultiSelect);
    options_ = options;
    if (multiSelectOff)
        selection_.Clear();
    LayoutChanged();
}

void TDBGridEh::SetOptionsEh(TGridOptionsEh optionsEh) {
    if (optionsEh == optionsEh_)
        return;
    optionsEh_ = optionsEh;
    LayoutChanged();
}

void TDBGridEh::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
}

void TDBGridEh::SetDefaultDrawing(bool defaultDrawing) {
    appearance_.defaultDrawing = defaultDrawing;
    InvalidateGrid();
}

void TDBGridEh::SetColor(TColor color) {
    if (color == appearance_.color)
        return;
    appearance_.color = color;
    InvalidateGrid();
}

void TDBGridEh::SetFixedColor(TColor color) {
    if (color == appearance_.fixedColor)
        return;
    appearance_.fixedColor = color;
    InvalidateGrid();
}

void TDBGridEh::SetEvenRowColor(TColor color) {
    if (color == appearance_.evenRowColor)
        return;
    appearance_.evenRowColor = color;
    InvalidateGrid();
}

void TDBGridEh::SetOddRowColor(TColor color) {
    if (color == appearance_.oddRowColor)
        return;
    appearance_.oddRowColor = color;
    InvalidateGrid();
}

void TDBGridEh::SetFlat(bool flat) {
    if (flat == appearance_.flat)
        return;
    appearance_.flat = flat;
    LayoutChanged();
}

void TDBGridEh::SetFont(const TGridFont& font) {
    if (font == appearance_.font)
        return;
    appearance_.font = font;
    LayoutChanged();
}

void TDBGridEh::SetTitleFont(const TGridFont& font) {
    if (font == appearance_.titleFont)
        return;
    appearance_.titleFont = font;
    LayoutChanged();
}

void TDBGridEh::SetFooterRowCount(int count) {
    if (count == appearance_.footerRowCount)
        return;
    appearance_.footerRowCount = std::max(count, 0);
    LayoutChanged();
}

void TDBGridEh::SetRowHeight(int height) {
    if (height == appearance_.rowHeight)
        return;
    appearance_.rowHeight = std::max(height, 0);
    LayoutChanged();
}

void TDBGridEh::SetRowLines(int lines) {
    if (lines == appearance_.rowLines)
        return;
    appearance_.rowLines = std::max(lines, 0);
    LayoutChanged();
}

void TDBGridEh::SetUseMultiTitle(bool useMultiTitle) {
    if (useMultiTitle == appearance_.useMultiTitle)
        return;
    appearance_.useMultiTitle = useMultiTitle;
    LayoutChanged();
}

void TDBGridEh::SetDrawMemoText(bool drawMemoText) {
    if (drawMemoText == appearance_.drawMemoText)
        return;
    appearance_.drawMemoText = drawMemoText;
    InvalidateGrid();
}

TColumnEh* TDBGridEh::ColumnAt(int col) const {
    const int index = col - IndicatorOffset();
    if (index < 0 || index >= columns_.Count())
        return nullptr;
    return &columns_[index];
}

void TDBGridEh::SetHint(const QString& hint) {
    if (hint == hint_.text)
        return;
    hint_.text = hint;
    accessibleEvents_.DescriptionChanged();
}

void TDBGridEh::SelectionChanged() {
    accessibleEvents_.SelectionChanged();
    if (OnSelectionChanged)
        OnSelectionChanged();
}

void TDBGridEh::PerformKeyAction(const GridKeyAction& action) {
    GridKeyboardController(*this).Perform(action);
}

void TDBGridEh::CancelColumnGesture() {
    mouse_.CancelColumnGesture();
}

ColumnHandle TDBGridEh::SizingHandleAt(QPoint point) const {
    return mouse_.ColumnGestures().SizingHandleAt(point);
}

// --- Painting --------------------------------------------------------------------------------

void TDBGridEh::PaintGrid(TCanvas& canvas) {
    if (locks_.paint > 0)
        return;
    // The indicator glyph stays where it was drawn last when this paint did not reach it.
    const int indicatorRow = GridPainter(*this, dataLink_).Paint(canvas);
    if (indicatorRow >= 0)
        indicatorRow_ = indicatorRow;
}

// --- Focus ---------------------------------------------------------------------------------

void TDBGridEh::FocusChanged() {
    HideHint();
    InvalidateCurrentRow();
    const bool focused = hasFocus();
    if (focused == lastFocused_)
        return;
    lastFocused_ = focused;
    // Selected rows change their tint with the focus.
    if (selection_.SelectionType() != gstNon)
        InvalidateGrid();
}

void TDBGridEh::HideHint() {
    hintPopup_.Cancel();
}

// --- Qt events -----------------------------------------------------------------------------

bool TDBGridEh::event(QEvent* event) {
    // The grid shows its hint itself, after its own pause.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QWidget::event(event);
}

void TDBGridEh::paintEvent(QPaintEvent* event) {
    RunHandler([&] {
        QPainter painter(this);
        const QRect client = ClientRect();
        // The border is repainted only when the paint reaches it.
        if (!event->region().subtracted(QRegion(client)).isEmpty())
            GridPainter::PaintBorder(painter, size());
        // The square between the two scroll bars.
        const QRect corner(client.right() + 1, client.bottom() + 1,
                           width() - BorderWidth() - client.right() - 1,
                           height() - BorderWidth() - client.bottom() - 1);
        if (!corner.isEmpty())
            painter.fillRect(corner, palette().button());
        const QRegion cells =
            event->region().translated(-client.topLeft()) & QRect(QPoint(0, 0), client.size());
        if (locks_.paint > 0 || cells.isEmpty())
            return;
        painter.setClipRect(client);
        painter.translate(client.topLeft());
        TCanvas canvas(painter);
        canvas.SetVisibleRegion(cells);
        PaintGrid(canvas);
        mouse_.ColumnGestures().PaintLine(painter);
    });
}

void TDBGridEh::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RunHandler([&] { ClientSizeChanged(); });
}

void TDBGridEh::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RunHandler([&] {
        if (hasHandle_)
            return;
        // Shown for the first time: from now on the grid sizes its row window.
        hasHandle_ = true;
        if (locks_.layout == 0) {
            UpdateRowCount();
            SyncCurrentRow();
        }
        UpdateScrollBar();
    });
}

void TDBGridEh::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    RunHandler([&] {
        FocusChanged();
        accessibleEvents_.FocusIn();
    });
}

void TDBGridEh::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    RunHandler([&] {
        // Losing the focus takes the mouse away from a column gesture or a row drag too.
        CancelColumnGesture();
        mouse_.StopTracking();
        FocusChanged();
        // A dialog or another window taking the focus does not leave the grid for another
        // control of this window.
        const Qt::FocusReason reason = event->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            GridKeyboardController(*this).FocusLeaving();
    });
}

void TDBGridEh::keyPressEvent(QKeyEvent* event) {
    // Every key stays with the grid; Tab and Shift+Tab never get here, Qt moves the focus.
    event->accept();
    RunHandler([&] { GridKeyboardController(*this).KeyDown(*event); });
}

void TDBGridEh::mousePressEvent(QMouseEvent* event) {
    RunHandler([&] { mouse_.Press(*event, false); });
}

void TDBGridEh::mouseDoubleClickEvent(QMouseEvent* event) {
    RunHandler([&] { mouse_.Press(*event, true); });
}

void TDBGridEh::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    RunHandler([&] { mouse_.Move(*event); });
}

void TDBGridEh::mouseReleaseEvent(QMouseEvent* event) {
    RunHandler([&] { mouse_.Release(*event); });
}

void TDBGridEh::wheelEvent(QWheelEvent* event) {
    RunHandler([&] {
        if (!hasFocus()) {
            event->ignore();
            return;
        }
        event->accept();
        mouse_.Wheel(event->angleDelta().y());
    });
}

void TDBGridEh::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    RunHandler([&] { HideHint(); });
}

void TDBGridEh::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    RunHandler([&] {
        CancelColumnGesture();
        mouse_.StopTracking();
        HideHint();
    });
}
