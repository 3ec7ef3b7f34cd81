#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <vector>

// Benchmarks `ours` against `baseline` on the same inputs in the same process. The benchmark
// loop runs `ours` (its time is what the benchmark reports); afterwards both callables are
// timed alike over the same number of iterations, and counters["ratio"] is our time per
// iteration divided by the baseline's (below 1: faster than the baseline).
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

template <class Input, class Ours, class Baseline>
void RunWithRatio(benchmark::State& state, const std::vector<Input>& inputs, Ours ours,
                  Baseline baseline) {
    std::size_t next = 0;
    for (auto _ : state) {
        auto result = ours(inputs[next]);
        benchmark::DoNotOptimize(result);
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
    const benchmark::IterationCount iterations = state.iterations();
    // Alternate the two so that neither profits alone from a warmer machine.
    std::chrono::duration<double> ourTime{}, baselineTime{};
    for (int round = 0; round < 2; ++round) {
        ourTime += TimeCalls(iterations, inputs, ours);
        baselineTime += TimeCalls(iterations, inputs, baseline);
    }
    state.counters["ratio"] = baselineTime.count() > 0 ? ourTime / baselineTime : 0.0;
}

} // namespace bench
