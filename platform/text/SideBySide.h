#pragma once

#include <exception>
#include <thread>

// Runs `here` on this thread and `there` on another at the same time, and returns when both
// have ended; a failure of either is thrown here (the first's when both fail). For work on
// two halves of a long list, which two cores finish in about half the time.
template <class Here, class There> void RunSideBySide(Here&& here, There&& there) {
    std::exception_ptr thereFailure;
    std::thread helper([&] {
        try {
            there();
        } catch (...) {
            thereFailure = std::current_exception();
        }
    });
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
