#pragma once

#include <QObject>

#include <optional>

class QScrollBar;
class TDBGridEh;

// When the scroll bar shows: always (disabled with nothing to scroll), never, or only while
// there is something to scroll.
enum TScrollBarVisibleModeEh { sbAlwaysShowEh, sbNeverShowEh, sbAutoShowEh };

// The scroll bar commands the grid answers.
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition, // the thumb was released at a track position
    scTrack,    // the thumb is being dragged
    scTop,
    scBottom,
    scEndScroll,
};

// The command of a Qt scroll bar's slider action (the arrows, the page areas, the ends); none
// for the thumb's actions, which arrive as scTrack and scPosition.
std::optional<TScrollCode> ScrollCodeOfAction(int sliderAction);

// A scroll bar's range, page and position in the platform's terms: the thumb covers Page
// positions of Min..Max, so its position runs from Min to Max - Page + 1.
struct TScrollBarSettingsEh {
    int Min = 0;
    int Max = 1;
    int Page = 2;
    int Pos = 0;

    // Whether the range leaves nothing to scroll: the bar hides itself (disables itself when it
    // must stay visible).
    bool NothingToScroll() const { return Min >= Max || Page > Max - Min; }
    friend bool operator==(const TScrollBarSettingsEh&, const TScrollBarSettingsEh&) = default;
};

// The grid's vertical scroll bar: a 17-pixel bar at the right of the client area whose range
// describes the position of the current record in the whole result, not the grid's rows. The
// grid computes the settings; this class applies them to the bar, shows or hides it, and hands
// the user's commands back to the grid.
class TVertDBGridEhScrollBar : public QObject {
    Q_OBJECT

public:
    static constexpr int Width = 17;

    explicit TVertDBGridEhScrollBar(TDBGridEh& grid);

    TScrollBarVisibleModeEh VisibleMode() const { return visibleMode_; }
    void SetVisibleMode(TScrollBarVisibleModeEh visibleMode);
    // Whether dragging the thumb moves the record at once (else only its release does).
    bool Tracking() const { return tracking_; }
    void SetTracking(bool tracking) { tracking_ = tracking; }
    // True unless the bar is set never to show.
    bool Visible() const { return visibleMode_ != sbNeverShowEh; }

    // Whether the bar takes its place at the right of the grid now.
    bool Showing() const { return showing_; }
    // The settings applied last.
    const TScrollBarSettingsEh& Settings() const { return applied_; }
    QScrollBar& Control() const { return *bar_; }

    // Applies the settings when they or the visible mode differ from those applied last;
    // returns whether the bar appeared or disappeared.
    bool Apply(const TScrollBarSettingsEh& settings);
    // Puts the thumb back where the applied settings place it (after a command moved it).
    void RestoreThumb();
    // Places the bar at the right of a client area of the given size, from (left, top).
    void Place(int left, int top, int clientHeight);

private:
    void ActionTriggered(int action);
    void Released();
    void Command(TScrollCode code, int position);

    TDBGridEh& grid_;
    QScrollBar* bar_;
    TScrollBarVisibleModeEh visibleMode_ = sbAutoShowEh;
    bool tracking_ = false;
    bool showing_ = false;
    bool appliedOnce_ = false;
    TScrollBarSettingsEh applied_;
    TScrollBarVisibleModeEh appliedMode_ = sbAutoShowEh;
};
