#pragma once

#include "platform/ui/ApplicationErrorReport.h"

#include <exception>
#include <type_traits>
#include <utility>

// Runs one event handler. An exception that escapes it ends that handler only: it is shown
// in the application error report and the window goes on. Every handler passes through here.
template <typename Handler> void RunHandler(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        ReportException(std::current_exception());
    }
}

// Wraps a handler for a signal connection, so that it runs through RunHandler. The handler
// takes either all of the signal's arguments or none of them.
template <typename Handler> auto Guarded(Handler handler) {
    return [handler = std::move(handler)](auto&&... args) {
        RunHandler([&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        });
    };
}
