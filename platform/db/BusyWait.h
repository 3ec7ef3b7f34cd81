#pragma once

#include <chrono>

// How long a connection waits for another connection's lock before SQLite reports the file
// busy. By default each time SQLite waits for a lock it may wait up to the timeout. While a
// BusyWait::Command lives, every wait of the statements of that command shares one timeout,
// counted from the first: a command of several statements (a search that checks its copy of
// the table first, a batch of writes and its commit, a write that spills its page cache before
// committing) then waits at most one timeout in all, and fails after it instead of waiting
// again.
class BusyWait {
public:
    void setTimeout(std::chrono::milliseconds timeout) noexcept { timeout_ = timeout; }
    std::chrono::milliseconds timeout() const noexcept { return timeout_; }

    // Everything this connection has waited for locks, as the waits were asked for.
    std::chrono::milliseconds waited() const noexcept { return waited_; }

    // SQLite's busy handler (sqlite3_busy_handler) over a BusyWait: waits a little and returns
    // 1 to try the lock again, or 0 once the timeout is spent.
    static int onBusy(void* busyWait, int attempt) noexcept;

    // The statements run while it lives share one timeout; commands within it share the outer
    // command's.
    class Command {
    public:
        explicit Command(BusyWait& wait) noexcept;
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        BusyWait& wait_;
    };

private:
    bool waitAgain(int attempt) noexcept;

    using Clock = std::chrono::steady_clock;

    std::chrono::milliseconds timeout_{0};
    // The timeout now running: whether it has begun, the sleeps asked for and when it ends.
    bool started_ = false;
    std::chrono::milliseconds spent_{0};
    Clock::time_point deadline_;
    int commands_ = 0;
    std::chrono::milliseconds waited_{0};
};
