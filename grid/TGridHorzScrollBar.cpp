#include "grid/TGridHorzScrollBar.h"

#include "grid/TDBGridEh.h"
#include "platform/ui/EventBoundary.h"

#include <QScrollBar>

TGridHorzScrollBar::TGridHorzScrollBar(TDBGridEh& grid)
    : QObject(&grid), grid_(grid), bar_(new QScrollBar(Qt::Horizontal, &grid)) {
    bar_->setObjectName(QStringLiteral("HorzScrollBar"));
    // The ordinary arrow, not the cursor the grid's cells last showed.
    bar_->setCursor(Qt::ArrowCursor);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setTracking(false);
    bar_->setRange(0, RangeMax);
    bar_->setSingleStep(1);
    bar_->setPageStep(0);
    bar_->hide();
    connect(bar_, &QAbstractSlider::actionTriggered, this,
            [this](int action) { RunHandler([&] { ActionTriggered(action); }); });
    connect(bar_, &QAbstractSlider::sliderReleased, this,
            [this] { RunHandler([&] { Command(scPosition, bar_->sliderPosition()); }); });
}

bool TGridHorzScrollBar::Apply(bool show, int position) {
    position_ = show ? position : 0;
    {
        const QSignalBlocker blocker(bar_);
        bar_->setValue(position_);
    }
    if (show == showing_)
        return false;
    showing_ = show;
    bar_->setVisible(show);
    return true;
}

void TGridHorzScrollBar::Place(int left, int top, int clientWidth) {
    bar_->setGeometry(left, top, clientWidth, Height);
}

void TGridHorzScrollBar::ActionTriggered(int action) {
    if (const std::optional<TScrollCode> code = ScrollCodeOfAction(action))
        Command(*code, 0);
}

void TGridHorzScrollBar::Command(TScrollCode code, int position) {
    grid_.HorzScrollCommand(code, position);
    // The grid set the position that follows its left column; the thumb goes back there.
    const QSignalBlocker blocker(bar_);
    bar_->setValue(position_);
}
