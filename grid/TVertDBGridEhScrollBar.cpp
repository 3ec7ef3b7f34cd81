#include "grid/TVertDBGridEhScrollBar.h"

#include "grid/TDBGridEh.h"
#include "platform/ui/EventBoundary.h"

#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

// A vertical scroll bar that repaints only where its thumb was and is when its position
// changes, as a platform scroll bar does, instead of the whole bar.
class ThumbScrollBar : public QScrollBar {
public:
    static constexpr int ThumbEdge = 2;

    explicit ThumbScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
        // The bar paints all of its area, so the grid below it need not be painted first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void sliderChange(SliderChange change) override {
        if (change != SliderValueChange) {
            QScrollBar::sliderChange(change);
            return;
        }
        // Styles draw the thumb's edges and shadow a little outside its rectangle.
        const QMargins edges(0, ThumbEdge, 0, ThumbEdge);
        update(QRegion(paintedThumb_ + edges) + QRegion(Thumb() + edges));
    }

    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        paintedThumb_ = Thumb();
    }

private:
    QRect Thumb() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       this);
    }

    // Where the thumb was painted last; a position change repaints it there and at the new place.
    QRect paintedThumb_;
};

} // namespace

TVertDBGridEhScrollBar::TVertDBGridEhScrollBar(TDBGridEh& grid)
    : QObject(&grid), grid_(grid), bar_(new ThumbScrollBar(&grid)) {
    bar_->setObjectName(QStringLiteral("VertScrollBar"));
    // A child shows its parent's cursor unless it has its own: the grid's cursors (the sizing
    // split, the row-select arrow) belong to its cells, and the bar shows the ordinary arrow.
    bar_->setCursor(Qt::ArrowCursor);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setTracking(false);
    bar_->setSingleStep(1);
    bar_->hide();
    connect(bar_, &QAbstractSlider::actionTriggered, this,
            [this](int action) { RunHandler([&] { ActionTriggered(action); }); });
    connect(bar_, &QAbstractSlider::sliderReleased, this,
            [this] { RunHandler([&] { Released(); }); });
    // The thumb always follows the mouse; the record follows it only with Tracking.
    connect(bar_, &QAbstractSlider::sliderMoved, this, [this](int position) {
        RunHandler([&] {
            if (tracking_)
                grid_.VertScrollCommand(scTrack, position);
        });
    });
}

void TVertDBGridEhScrollBar::SetVisibleMode(TScrollBarVisibleModeEh visibleMode) {
    if (visibleMode == visibleMode_)
        return;
    visibleMode_ = visibleMode;
    grid_.LayoutChanged();
}

bool TVertDBGridEhScrollBar::Apply(const TScrollBarSettingsEh& settings) {
    if (appliedOnce_ && settings == applied_ && visibleMode_ == appliedMode_)
        return false;
    appliedOnce_ = true;
    applied_ = settings;
    appliedMode_ = visibleMode_;
    // An always-shown bar with nothing to scroll stays visible with its arrows disabled.
    const bool disabled =
        settings.Min >= settings.Max || settings.Page >= settings.Max - settings.Min;
    const bool show = visibleMode_ == sbAlwaysShowEh ||
                      (visibleMode_ == sbAutoShowEh && !settings.NothingToScroll());
    bar_->setEnabled(!(visibleMode_ == sbAlwaysShowEh && disabled));
    const QSignalBlocker blocker(bar_);
    bar_->setRange(settings.Min,
                   std::max(settings.Min, settings.Max - std::max(settings.Page - 1, 0)));
    bar_->setPageStep(settings.Page);
    // Setting the value puts the thumb there too; it repaints only the thumb's old and new place.
    bar_->setValue(settings.Pos);
    if (show == showing_)
        return false;
    showing_ = show;
    bar_->setVisible(show);
    return true;
}

void TVertDBGridEhScrollBar::RestoreThumb() {
    const QSignalBlocker blocker(bar_);
    bar_->setValue(applied_.Pos);
}

void TVertDBGridEhScrollBar::Place(int left, int top, int clientHeight) {
    bar_->setGeometry(left, top, Width, clientHeight);
}

std::optional<TScrollCode> ScrollCodeOfAction(int sliderAction) {
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return scLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return scLineDown;
    case QAbstractSlider::SliderPageStepSub:
        return scPageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return scPageDown;
    case QAbstractSlider::SliderToMinimum:
        return scTop;
    case QAbstractSlider::SliderToMaximum:
        return scBottom;
    default:
        return std::nullopt;
    }
}

void TVertDBGridEhScrollBar::ActionTriggered(int action) {
    if (const std::optional<TScrollCode> code = ScrollCodeOfAction(action))
        Command(*code, 0);
}

void TVertDBGridEhScrollBar::Released() {
    Command(scPosition, bar_->sliderPosition());
}

void TVertDBGridEhScrollBar::Command(TScrollCode code, int position) {
    grid_.VertScrollCommand(code, position);
    // A command the data set could not carry out leaves the bar where the grid last put it.
    RestoreThumb();
}
