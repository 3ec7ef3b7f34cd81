#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

// Below this many items, work on a list is quick enough on one thread.
inline constexpr std::size_t kItemsWorthAThread = 50000;

// Runs `here` on this thread and `there` on another at the same time, and returns when both
// have ended; a failure of either is thrown here (the first's when both fail). For work on
// two halves of a long list, which two cores finish in about half the time. When no thread
// can be started, both run here, one after the other.
template <class Here, class There> void RunSideBySide(Here&& here, There&& there) {
    std::exception_ptr thereFailure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                there();
            } catch (...) {
                thereFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        here();
        there();
        return;
    }
    try {
        here();
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (thereFailure)
        std::rethrow_exception(thereFailure);
}
