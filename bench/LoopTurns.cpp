#include "LoopTurns.h"

#include <QAbstractEventDispatcher>

#include <time.h>

namespace {

std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

LoopTurnRecorder::LoopTurnRecorder(Clock::time_point start)
    : last_(start), lastCpu_(ThreadCpuTime()) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, &LoopTurnRecorder::turn);
    timer_.start();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        aboutToBlock_ = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                &LoopTurnRecorder::turn, Qt::DirectConnection);
        awake_ = connect(dispatcher, &QAbstractEventDispatcher::awake, this,
                         &LoopTurnRecorder::turn, Qt::DirectConnection);
    }
}

LoopTurnRecorder::~LoopTurnRecorder() {
    disconnect(aboutToBlock_);
    disconnect(awake_);
}

void LoopTurnRecorder::turn() {
    turnAt(Clock::now());
}

void LoopTurnRecorder::turnAt(Clock::time_point now) {
    const std::chrono::nanoseconds cpu = ThreadCpuTime();
    if (now - last_ > longest_.length) {
        longest_ = {now - last_, cpu - lastCpu_};
    }
    last_ = now;
    lastCpu_ = cpu;
}

LoopTurnRecorder::Gap LoopTurnRecorder::finish(Clock::time_point end) {
    timer_.stop();
    disconnect(aboutToBlock_);
    disconnect(awake_);
    turnAt(end);
    return longest_;
}
