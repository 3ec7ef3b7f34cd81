#pragma once

#include <chrono>
#include <functional>

// How long opening a file waits for a conflicting lock of another opener before it fails
// as a sharing violation. About a second by default; zero makes a single attempt.
std::chrono::milliseconds LockWaitBound();
void SetLockWaitBound(std::chrono::milliseconds bound);

// Calls attempt until it succeeds or the lock wait bound has passed, pausing briefly between
// attempts; true when an attempt succeeded. The first attempt is always made.
bool RetryWithinLockWait(const std::function<bool()>& attempt);
