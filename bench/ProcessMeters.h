#pragma once

#include <chrono>
#include <cstdint>

// What the process as a whole has used so far, read from the system.

// The CPU time of all the process's threads.
std::chrono::nanoseconds ProcessCpuTime();

// The process's resident memory (VmRSS), in bytes; 0 when the system does not tell.
std::int64_t ResidentBytes();

// Hands the allocator's free memory back to the system, so that a later ResidentBytes counts
// what is in use rather than what earlier work left behind.
void ReleaseFreeMemory();
