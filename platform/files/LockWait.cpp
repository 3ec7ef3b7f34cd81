#include "platform/files/LockWait.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using namespace std::chrono_literals;

std::atomic<std::chrono::milliseconds::rep> boundMs{1000};

// Short enough that a released lock is taken promptly, long enough not to spin.
constexpr std::chrono::milliseconds retryPause = 10ms;

} // namespace

std::chrono::milliseconds LockWaitBound() {
    return std::chrono::milliseconds(boundMs.load());
}

void SetLockWaitBound(std::chrono::milliseconds bound) {
    boundMs.store(std::max<std::chrono::milliseconds::rep>(bound.count(), 0));
}

bool RetryWithinLockWait(const std::function<bool()>& attempt) {
    const auto deadline = std::chrono::steady_clock::now() + LockWaitBound();
    while (!attempt()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(retryPause, deadline - now));
    }
    return true;
}
