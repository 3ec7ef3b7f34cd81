#pragma once

#include "grid/GridAccessibleEvents.h"
#include "grid/GridAppearance.h"
#include "grid/GridColumnAxis.h"
#include "grid/GridGeometry.h"
#include "grid/GridHint.h"
#include "grid/GridKeyAction.h"
#include "grid/GridLockState.h"
#include "grid/GridMouseController.h"
#include "grid/GridOptions.h"
#include "grid/TColCellParamsEh.h"
#include "grid/TColumnGestureEh.h"
#include "grid/TColumnDefValuesEh.h"
#include "grid/TDBGridColumnsEh.h"
#include "grid/TDBGridEhSelection.h"
#include "grid/TGridDataLinkEh.h"
#include "grid/TGridFont.h"
#include "grid/TVertDBGridEhScrollBar.h"
#include "platform/ui/Colors.h"
#include "platform/ui/TRect.h"

#include <QString>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

class TADOQuery;
class TCanvas;
class TDataSource;
class TField;
class TGridHorzScrollBar;

// The grid's click events: the data column under the mouse.
using TDBGridEhClickEvent = std::function<void(TColumnEh& column)>;
// The hook that may change a data cell's font, background, alignment and text before it is drawn.
using TGetCellEhParamsEvent = std::function<void(TColumnEh& column, TColCellParamsEh& params)>;
using TDBGridEhNotifyEvent = std::function<void()>;
// A column dragged from one data column index to another.
using TDBGridEhColumnMovedEvent = std::function<void(int fromIndex, int toIndex)>;

// The data-bound results grid. It paints itself: a title row, an indicator column and the
// columns of its collection over a row window of the data set, no longer than the rows that
// fit. When the current record leaves the window, the window moves, not the grid; the vertical
// scroll bar tells where the current record stands in the whole result. All coordinates below
// are client coordinates, inside the one-pixel flat border.
//
// The grid keeps its configuration, the current cell and the row window's bookkeeping, and
// hands the rest to parts: GridGeometry (both axes and the hit tests), TDBGridEhSelection (what
// is selected and what may be), GridMouseController (the mouse gestures, the column gestures
// among them), and, made for each paint or key, GridPainter and GridKeyboardController.
class TDBGridEh : public QWidget {
    Q_OBJECT

public:
    explicit TDBGridEh(QWidget* parent = nullptr);
    ~TDBGridEh() override;

    // --- Configuration -----------------------------------------------------------------------
    // While loading, configuration changes rebuild nothing; the end of loading rebuilds once.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading);

    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* dataSource);
    // The data source's data set, or nullptr.
    TADOQuery* DataSet() const { return dataLink_.DataSet(); }

    TDBGridColumnsEh& Columns() { return columns_; }
    const TDBGridColumnsEh& Columns() const { return columns_; }
    const TColumnDefValuesEh& ColumnDefValues() const { return columnDefValues_; }
    void SetColumnDefValues(const TColumnDefValuesEh& values);

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TGridOptionsEh OptionsEh() const { return optionsEh_; }
    void SetOptionsEh(TGridOptionsEh optionsEh);
    TDBGridEhAllowedOperations AllowedOperations() const { return allowedOperations_; }
    void SetAllowedOperations(TDBGridEhAllowedOperations operations) {
        allowedOperations_ = operations;
    }
    TDBGridEhAllowedSelections AllowedSelections() const { return selection_.AllowedSelections(); }
    void SetAllowedSelections(TDBGridEhAllowedSelections selections) {
        selection_.SetAllowedSelections(selections);
    }
    TGridEditActions EditActions() const { return editActions_; }
    void SetEditActions(TGridEditActions actions) { editActions_ = actions; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool DefaultDrawing() const { return appearance_.defaultDrawing; }
    void SetDefaultDrawing(bool defaultDrawing);

    // Default column colour and the empty area.
    TColor Color() const { return appearance_.color; }
    void SetColor(TColor color);
    // Default title colour and the indicator cells.
    TColor FixedColor() const { return appearance_.fixedColor; }
    void SetFixedColor(TColor color);
    // Backgrounds of even and odd record numbers while the data set is sequenced.
    TColor EvenRowColor() const { return appearance_.evenRowColor; }
    void SetEvenRowColor(TColor color);
    TColor OddRowColor() const { return appearance_.oddRowColor; }
    void SetOddRowColor(TColor color);
    // Flat border, grey lines of fixed cells and the narrow text margins.
    bool Flat() const { return appearance_.flat; }
    void SetFlat(bool flat);
    // Default column font; decides the data row height.
    const TGridFont& Font() const { return appearance_.font; }
    void SetFont(const TGridFont& font);
    // Default title font; decides the title row height.
    const TGridFont& TitleFont() const { return appearance_.titleFont; }
    void SetTitleFont(const TGridFont& font);
    TColor FooterColor() const { return appearance_.footerColor; }
    void SetFooterColor(TColor color) { appearance_.footerColor = color; }
    const TGridFont& FooterFont() const { return appearance_.footerFont; }
    void SetFooterFont(const TGridFont& font) { appearance_.footerFont = font; }
    int FooterRowCount() const { return appearance_.footerRowCount; }
    void SetFooterRowCount(int count);
    // 0 and 0: rows one text line high.
    int RowHeight() const { return appearance_.rowHeight; }
    void SetRowHeight(int height);
    int RowLines() const { return appearance_.rowLines; }
    void SetRowLines(int lines);
    // Centred titles by default, for a multi-line title tree.
    bool UseMultiTitle() const { return appearance_.useMultiTitle; }
    void SetUseMultiTitle(bool useMultiTitle);
    bool DrawMemoText() const { return appearance_.drawMemoText; }
    void SetDrawMemoText(bool drawMemoText);

    TVertDBGridEhScrollBar& VertScrollBar() { return *vertScrollBar_; }
    const TVertDBGridEhScrollBar& VertScrollBar() const { return *vertScrollBar_; }

    // The hint text shown after the mouse rests over the grid: its part before the first "|".
    const QString& Hint() const { return hint_.text; }
    // Assistive technology reads the hint as the grid's description.
    void SetHint(const QString& hint);
    bool ShowHint() const { return hint_.show; }
    void SetShowHint(bool showHint) { hint_.show = showHint; }
    bool ParentShowHint() const { return hint_.parentShow; }
    void SetParentShowHint(bool parentShowHint) { hint_.parentShow = parentShowHint; }
    // How long the mouse must rest before the hint shows, and how long the hint stays.
    static constexpr int HintPause = GridHint::Pause;
    static constexpr int HintHidePause = GridHint::HidePause;

    // --- Events --------------------------------------------------------------------------------
    // A left click released over a data cell of a visible data row.
    TDBGridEhClickEvent OnCellClick;
    // A left click released over a title cell.
    TDBGridEhClickEvent OnTitleClick;
    TGetCellEhParamsEvent OnGetCellParams;
    TDBGridEhNotifyEvent OnSelectionChanged;
    // A request to make another column current: the current column is left, then entered
    // again (with whole-row selection it stays on the first data column).
    TDBGridEhNotifyEvent OnColExit;
    TDBGridEhNotifyEvent OnColEnter;
    // After the user changed a column's width by dragging its title's edge, or moved a column.
    TDBGridEhNotifyEvent OnColWidthsChanged;
    // After the user moved a column by dragging its title.
    TDBGridEhColumnMovedEvent OnColumnMoved;

    // --- Rows, columns and the row window ------------------------------------------------------
    TGridDataLinkEh& DataLink() { return dataLink_; }
    const TGridDataLinkEh& DataLink() const { return dataLink_; }
    TDBGridEhSelection& Selection() { return selection_; }
    const TDBGridEhSelection& Selection() const { return selection_; }

    // Title row count + data rows (one empty data row when the window shows no record).
    int RowCount() const { return geometry_.RowCount(); }
    // The indicator column and the data columns.
    int ColCount() const { return geometry_.ColCount(); }
    // The current row: title row count + the current record's window position.
    int Row() const { return row_; }
    // The current column (a grid column index; never the indicator).
    int Col() const { return col_; }
    int TitleRowCount() const { return geometry_.TitleRowCount(); }
    // 1 with the indicator column, else 0.
    int IndicatorOffset() const { return geometry_.FixedColCount(); }
    // The first data row shown: always the first data row.
    int TopRow() const { return geometry_.TitleRowCount(); }
    // The first scrollable column shown.
    int LeftCol() const { return geometry_.LeftCol(); }
    // How many data rows lie wholly inside the client area.
    int VisibleDataRowCount() const;
    // The number of records the grid asks the data set to hold for it.
    int WindowCapacity() const { return dataLink_.BufferCount(); }

    static constexpr int GridLineWidth = GridGeometry::LineWidth;
    static constexpr int IndicatorWidth = 11;
    int DataRowHeight() const { return geometry_.DataRowHeight(); }
    int TitleRowHeight() const { return geometry_.TitleRowHeight(); }
    int ColWidth(int col) const { return geometry_.ColWidth(col); }
    int RowHeightOf(int row) const { return geometry_.RowHeight(row); }
    // The cell's rectangle without its lines; empty for a cell that is not shown.
    TRect CellRect(int col, int row) const { return geometry_.CellRect(col, row); }
    // The cell under a client point.
    TGridCoord MouseCoord(QPoint point) const;
    // The client area inside the border, left of the vertical scroll bar, in widget coordinates.
    QRect ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    // The data column shown in grid column col, or nullptr for the indicator.
    TColumnEh* ColumnAt(int col) const;
    // The x positions of the columns as shown now.
    const GridColumnAxis& ColumnAxis() const { return geometry_.Columns(); }

    // --- Column sizing and moving ----------------------------------------------------------------
    // Normal, or the column gesture under way.
    TGridState GridState() const { return ColumnGesture().State(); }
    const TColumnGestureEh& ColumnGesture() const { return mouse_.ColumnGestures().Gesture(); }
    // The column whose title edge lies at a client point, with dgColumnResize; col -1 for none.
    ColumnHandle SizingHandleAt(QPoint point) const;
    // Ends a column sizing or move without effect (Esc, loss of the mouse).
    void CancelColumnGesture();
    TGridHorzScrollBar& HorzScrollBar() { return *horzScrollBar_; }
    // A command of the horizontal scroll bar; position is the thumb's track position (0..127).
    void HorzScrollCommand(TScrollCode code, int position);

    // --- Locks and rebuilds --------------------------------------------------------------------
    // A nesting lock: while held, no layout rebuild starts and size changes wait for the end.
    void BeginUpdate() { ++locks_.update; }
    void EndUpdate();
    // Lets one level of the lock go without the work of its release (while an error unwinds);
    // that work waits for the next release.
    void AbandonUpdate() {
        if (locks_.update > 0)
            --locks_.update;
    }
    int UpdateLock() const { return locks_.update; }
    // A nesting lock held by a layout rebuild; requests made meanwhile are dropped.
    void BeginLayout();
    void EndLayout();
    // Rebuilds the column model, the row heights and the row count, when no lock is held.
    void LayoutChanged();

    // --- Painting ------------------------------------------------------------------------------
    // Paints the client area in client coordinates, limited to the canvas's visible region.
    void PaintGrid(TCanvas& canvas);
    void InvalidateGrid();
    void InvalidateRow(int row);
    void InvalidateCurrentRow() { InvalidateRow(row_); }
    void InvalidateCell(int col, int row);

    // --- Commands ------------------------------------------------------------------------------
    // Carries out a key's command on the current record, the selection or the columns.
    void PerformKeyAction(const GridKeyAction& action);
    // The delete command: after the question, deletes the selected records, or the current
    // one when none is selected. Nothing while the records cannot be deleted.
    void DeleteRecords();
    // Copies the current column's value from the record above into the current record, which
    // stays in edit state until the next move stores it or Esc drops it.
    void CopyFromAbove();
    // How long the tracking timer waits before its next step, for a mouse d pixels beyond the
    // data rows, and how many records that step moves.
    static int TrackingInterval(int d) { return std::max(0, 200 - 15 * d); }
    static int TrackingStep(int d) { return std::min(d / 6, 8); }
    // A command of the vertical scroll bar; position is the thumb's track position.
    void VertScrollCommand(TScrollCode code, int position);
    // The selection changed: fires OnSelectionChanged.
    void SelectionChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The data link and the column collection report to the grid; the parts it owns work on
    // its state.
    friend class TGridDataLinkEh;
    friend class TDBGridColumnsEh;
    friend class GridColumnGestureController;
    friend class GridKeyboardController;
    friend class GridMouseController;
    friend class GridPainter;
    friend class GridResultRows;

    // Data link reactions (TDBGridEhData.cpp).
    void LinkActive(bool active);
    void EditingChanged();
    void DataChanged();
    void Scroll(int distance);
    // A move under the update lock: the rows are repainted once the lock is released.
    void ScrollUnderLock(int distance);
    // After the rows moved by their pixels: the cells whose hidden duplicates may differ now.
    void InvalidateScrolledDuplicates(int distance);
    void RecordChanged(TField* field);
    void ColumnsChanged(bool layout);

    // Layout (TDBGridEhLayout.cpp).
    void RebuildLayout();
    void RebuildColumnWidths();
    void UpdateRowCount();
    void SetRowCount(int rowCount);
    void SyncCurrentRow();
    void ClientSizeChanged();
    QRect ToWidget(const TRect& rect) const;
    int BorderWidth() const { return 1; }

    // Makes a column current, with OnColExit and OnColEnter around the change
    // (TDBGridEhLayout.cpp).
    void RequestColumn(int col);
    // Carrying out the column gestures: a column moved, the widths changed
    // (TDBGridEhLayout.cpp).
    void MoveColumn(int fromCol, int toCol);
    void ColWidthsChanged();

    // The scroll bars (TDBGridEhScroll.cpp).
    void UpdateScrollBar();
    void ScrollDataRows(int distance);
    void PlaceScrollBar();
    bool TakeFocus();
    // Shows or removes the horizontal bar as the columns need; true when it appeared or
    // disappeared.
    bool UpdateHorzScrollBar();
    void SetLeftCol(int col);

    // Focus and hint (TDBGridEh.cpp).
    void FocusChanged();
    void HideHint();

    // Configuration.
    bool loading_ = false;
    TDBGridColumnsEh columns_{this};
    TColumnDefValuesEh columnDefValues_;
    TGridOptions options_{dgTitles,   dgIndicator, dgColumnResize,  dgColLines,
                          dgRowLines, dgTabs,      dgConfirmDelete, dgCancelOnExit};
    TGridOptionsEh optionsEh_{dghFixed3D, dghHighlightFocus, dghClearSelection, dghDialogFind};
    TDBGridEhAllowedOperations allowedOperations_{alopInsertEh, alopUpdateEh, alopDeleteEh,
                                                  alopAppendEh};
    TGridEditActions editActions_;
    bool readOnly_ = false;
    GridAppearance appearance_;
    GridHintProperties hint_;

    // The row window, the selection and the scroll bar.
    TGridDataLinkEh dataLink_{*this};
    TDBGridEhSelection selection_{*this};
    TVertDBGridEhScrollBar* vertScrollBar_;

    // Geometry and the current cell.
    GridGeometry geometry_{{IndicatorWidth, TColumnEh::DefaultColumnWidth}, 1};
    int row_ = 1;
    int col_ = 1;

    // State.
    bool hasHandle_ = false;
    GridLockState locks_;
    // The row painting last drew the current record's indicator in: the painter reports it.
    int indicatorRow_ = -1;
    bool lastFocused_ = false;
    // A thumb drag with Tracking moved the record already; its release does nothing.
    bool skipThumbRelease_ = false;
    // The mouse's gestures, the column gestures among them, the hint, and the bar that
    // scrolls the columns.
    GridMouseController mouse_{*this};
    GridHint hintPopup_{*this, [this] {
                            return hint_.text;
                        }};
    TGridHorzScrollBar* horzScrollBar_;
    // What a screen reader is told of new results, moves and selections.
    GridAccessibleEvents accessibleEvents_{*this};
};
