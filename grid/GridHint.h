#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;
class QWidget;

// The hint properties of a control: the text (its part before the first "|" is what shows) and
// whether the control shows hints, on its own or as its parent says.
struct GridHintProperties {
    QString text;
    bool show = false;
    bool parentShow = true;
};

// A control's hint as the application shows it: once the mouse has rested over the control for
// the hint pause, the text before the first "|" appears below the cursor, for the whole control
// as its area (moving over it does not show the hint again). It goes after the hide pause, when
// the mouse leaves, and on any key or mouse button press anywhere; the next movement then
// starts a new pause. An empty text shows nothing. The hint window (a child of the control named
// "HintWindow") shows and hides at once, so the hint's state is always what the user sees.
class GridHint : public QObject {
    Q_OBJECT

public:
    static constexpr int Pause = 500;
    static constexpr int HidePause = 2500;

    // text gives the control's hint at the moment it is shown.
    GridHint(QWidget& control, std::function<QString()> text);
    ~GridHint() override;

    // The mouse moved over the control: a pause starts unless the hint shows.
    void MouseMoved();
    // Hides the hint, or stops the pause before it.
    void Cancel();
    bool Shown() const { return shown_; }
    // The text shown last.
    QString Text() const;
    // Ends the pause now, as its timer does (named "HintTimer"; "HintHideTimer" for the hide).
    void PauseEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(bool on);

    QWidget& control_;
    std::function<QString()> text_;
    QLabel* window_;
    QTimer pauseTimer_;
    QTimer hideTimer_;
    bool shown_ = false;
    bool watching_ = false;
};
