#pragma once
// Timing helpers shared by the benchmarks.

#include <algorithm>
#include <chrono>

namespace tilvaro::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The machine is shared: the fastest of a few runs is the figure least disturbed by others.
template <typename Body>
double Fastest(int runs, Body body) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    body();
    best = std::min(best, Seconds(Clock::now() - start));
  }
  return best;
}

}  // namespace tilvaro::bench
