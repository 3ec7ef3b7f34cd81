#include "platform/files/InOutError.h"

#include <gtest/gtest.h>

namespace {

TEST(InOutError, MessageFollowsTheRuntimeTable) {
    const std::pair<int, const char*> cases[] = {
        {2, "File not found"},
        {3, "Invalid filename"},
        {4, "Too many open files"},
        {5, "File access denied"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {106, "Invalid numeric input"},
        {104, "I/O error 104"},
        {32, "I/O error 32"},
        {1, "I/O error 1"},
        {0, "I/O error 0"},
    };
    for (const auto& [code, message] : cases) {
        const EInOutError error = InOutError(code);
        EXPECT_EQ(error.message(), QString::fromLatin1(message)) << code;
        EXPECT_EQ(error.errorCode(), code);
    }
}

} // namespace
