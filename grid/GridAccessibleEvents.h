#pragma once

#include <QObject>
#include <QTimer>

class TDBGridEh;

// Tells assistive technology (a screen reader) what changed in the grid: a new result (a reset
// of the accessible table, so the rows are counted and read again), a move of the current
// record (the focus goes to its current cell while the grid has the focus), a changed
// selection, and a new hint (the table's description). Changes are gathered and told once at
// the next turn of the event loop, when the command that made them is complete, so a gesture
// that passes thousands of records tells only where it ended. Qt hands the events on only
// while assistive technology listens.
class GridAccessibleEvents : public QObject {
    Q_OBJECT

public:
    explicit GridAccessibleEvents(TDBGridEh& grid);

    // Qt asks this for the grid's accessible interface; installed once, with the first grid.
    static void InstallFactory();

    // The data set was opened or closed: a new result.
    void ResultReplaced();
    // The rows were read anew or the current record moved.
    void RowsChanged();
    void SelectionChanged();
    // The hint changed; told at once.
    void DescriptionChanged();
    // The grid took the focus: its current cell is told at the next turn, after Qt has told
    // of the grid.
    void FocusIn();
    // Tells what was gathered now, as the next turn of the event loop does.
    void Flush();

private:
    void Schedule();
    void FocusCurrentCell();

    TDBGridEh& grid_;
    QTimer timer_;
    bool reset_ = false;
    bool moved_ = false;
    bool selection_ = false;
    bool focused_ = false;
    int rowCount_ = -1;
    int currentRow_ = -1;
};
