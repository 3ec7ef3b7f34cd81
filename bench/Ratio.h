#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

// Benchmarks `ours` against `baseline` on the same inputs in the same process. The benchmark
// loop runs `ours` (its time is what the benchmark reports); afterwards both callables are
// timed alike, each over as many of the loop's iterations as fit a time budget, and
// counters["ratio"] is our time per call divided by the baseline's (below 1: faster than the
// baseline).
namespace bench {

template <class Input, class Callable>
std::chrono::duration<double> TimeCalls(benchmark::IterationCount iterations,
                                        const std::vector<Input>& inputs, Callable& call) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t next = 0;
    for (benchmark::IterationCount i = 0; i < iterations; ++i) {
        auto result = call(inputs[next]);
        benchmark::DoNotOptimize(result);
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
    return std::chrono::steady_clock::now() - start;
}

// How long the ratio's timing of each side runs at most: a baseline many times slower than a
// fast benchmark is timed over fewer calls than the benchmark loop made.
inline constexpr std::chrono::duration<double> kRatioTimeBudget{2.0};

// The number of calls, up to `most`, that fit the budget at the speed of one warm call.
template <class Input, class Callable>
benchmark::IterationCount CallsWithinBudget(benchmark::IterationCount most,
                                            const std::vector<Input>& inputs, Callable& call) {
    TimeCalls(1, inputs, call); // a first call may pay for warming up
    const std::chrono::duration<double> one = TimeCalls(1, inputs, call);
    const double fit = one.count() > 0 ? kRatioTimeBudget / one : static_cast<double>(most);
    return std::clamp<benchmark::IterationCount>(static_cast<benchmark::IterationCount>(fit), 1,
                                                 most);
}

template <class Input, class Ours, class Baseline>
void RunWithRatio(benchmark::State& state, const std::vector<Input>& inputs, Ours ours,
                  Baseline baseline) {
    std::size_t next = 0;
    for (auto _ : state) {
        auto result = ours(inputs[next]);
        benchmark::DoNotOptimize(result);
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
    const benchmark::IterationCount most = state.iterations();
    const benchmark::IterationCount ourCalls = CallsWithinBudget(most, inputs, ours);
    const benchmark::IterationCount baselineCalls = CallsWithinBudget(most, inputs, baseline);
    // Alternate the two so that neither profits alone from a warmer machine.
    std::chrono::duration<double> ourTime{}, baselineTime{};
    for (int round = 0; round < 2; ++round) {
        ourTime += TimeCalls(ourCalls, inputs, ours) / static_cast<double>(ourCalls);
        baselineTime +=
            TimeCalls(baselineCalls, inputs, baseline) / static_cast<double>(baselineCalls);
    }
    state.counters["ratio"] = baselineTime.count() > 0 ? ourTime / baselineTime : 0.0;
}

} // namespace bench
