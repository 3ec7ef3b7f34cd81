#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

// Records when the calling thread's event loop turns, to find the longest time it did not:
// the time a window stays frozen. A precise 1 ms timer marks each turn of a loop that is busy
// or waiting, and the event dispatcher's aboutToBlock and awake mark the turns in between, so
// that a loop that turns freely shows gaps of about 1 ms. A timer of interval 0 would do the
// same at a finer grain, but it keeps a waiting loop spinning, and that spinning would be
// counted as the window's CPU time.
class LoopTurnRecorder : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    struct Gap {
        Clock::duration length{};
        // The CPU time the thread spent in the gap: about its length when the thread's own
        // work held it, about nothing when the thread was kept off the processor.
        std::chrono::nanoseconds threadCpu{};
    };

    // Starts recording at `start`, the moment the measured command begins.
    explicit LoopTurnRecorder(Clock::time_point start);
    ~LoopTurnRecorder() override;
    LoopTurnRecorder(const LoopTurnRecorder&) = delete;
    LoopTurnRecorder& operator=(const LoopTurnRecorder&) = delete;

    // Stops recording at `end` and returns the longest gap between two turns in [start, end],
    // the start and the end counting as turns.
    Gap finish(Clock::time_point end);

private:
    void turn();
    void turnAt(Clock::time_point now);

    QTimer timer_;
    QMetaObject::Connection aboutToBlock_;
    QMetaObject::Connection awake_;
    Clock::time_point last_;
    std::chrono::nanoseconds lastCpu_;
    Gap longest_;
};
