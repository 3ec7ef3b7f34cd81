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
    if (attempt == 0 && commands_ == 0) {
        spent_ = std::chrono::milliseconds(0); // outside a command each lock has its own wait
    }
    if (spent_ >= timeout_) {
        return false;
    }
    const std::chrono::milliseconds step = std::min(Step(attempt), timeout_ - spent_);
    std::this_thread::sleep_for(step);
    spent_ += step;
    waited_ += step;
    return true;
}

BusyWait::Command::Command(BusyWait& wait) noexcept : wait_(wait) {
    if (wait_.commands_++ == 0) {
        wait_.spent_ = std::chrono::milliseconds(0);
    }
}

BusyWait::Command::~Command() {
    --wait_.commands_;
}
