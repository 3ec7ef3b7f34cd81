#include "platform/db/BusyWait.h"

#include <algorithm>
#include <array>
#include <thread>

namespace {

// Short waits first, so that a lock held for a moment costs a moment; then steady steps.
constexpr std::array<std::chrono::milliseconds, 8> kSteps{
    std::chrono::milliseconds(1),  std::chrono::milliseconds(2),  std::chrono::milliseconds(5),
    std::chrono::milliseconds(10), std::chrono::milliseconds(15), std::chrono::milliseconds(20),
    std::chrono::milliseconds(25), std::chrono::milliseconds(50)};

std::chrono::milliseconds Step(int attempt) {
    return kSteps[std::min(static_cast<std::size_t>(attempt), kSteps.size() - 1)];
}

} // namespace

int BusyWait::onBusy(void* busyWait, int attempt) noexcept {
    return static_cast<BusyWait*>(busyWait)->waitAgain(attempt) ? 1 : 0;
}

bool BusyWait::waitAgain(int attempt) noexcept {
    const Clock::time_point now = Clock::now();
    if (attempt == 0 && commands_ == 0) {
        started_ = false; // outside a command each wait for a lock has a timeout of its own
    }
    if (!started_) {
        // The timeout runs from the first wait, not from the start of the command: a command
        // that works for a long time and then meets a lock still waits for it.
        started_ = true;
        spent_ = std::chrono::milliseconds(0);
        deadline_ = now + timeout_;
    }
    // The sleeps asked for and the time passed both end the wait: a sleep may last longer
    // than asked, and SQLite's own tries of the lock take time too.
    if (spent_ >= timeout_ || now >= deadline_) {
        return false;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - now);
    const std::chrono::milliseconds step = std::min({Step(attempt), timeout_ - spent_, left});
    std::this_thread::sleep_for(step);
    spent_ += step;
    waited_ += step;
    return true;
}

BusyWait::Command::Command(BusyWait& wait) noexcept : wait_(wait) {
    if (wait_.commands_++ == 0) {
        wait_.started_ = false;
    }
}

BusyWait::Command::~Command() {
    --wait_.commands_;
}
