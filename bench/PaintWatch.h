#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>

// Notes when a widget is first painted while a condition holds (the status bar showing a
// count, say): the moment the user can first see it.
class PaintWatch : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    PaintWatch(QWidget& widget, std::function<bool()> shows)
        : widget_(widget), shows_(std::move(shows)) {
        widget_.installEventFilter(this);
    }
    ~PaintWatch() override { widget_.removeEventFilter(this); }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // When the widget was first painted showing it; nothing when it was not.
    std::optional<Clock::time_point> paintedAt() const { return paintedAt_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &widget_ && event->type() == QEvent::Paint && !paintedAt_ && shows_()) {
            paintedAt_ = Clock::now();
        }
        return false;
    }

private:
    QWidget& widget_;
    std::function<bool()> shows_;
    std::optional<Clock::time_point> paintedAt_;
};
