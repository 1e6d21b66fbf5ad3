#pragma once
// Timing helpers shared by the benchmarks.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>
#include <vector>

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

// The value below which the given share (0 to 1) of the values lies, between the two nearest
// values where it falls between them: Percentile(v, 0.5) is the median, the middle value or the
// mean of the two middle ones.
inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return std::nan("");
  std::sort(values.begin(), values.end());
  const double at = share * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(at));
  const auto above = static_cast<std::size_t>(std::ceil(at));
  return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

inline double Median(std::vector<double> values) { return Percentile(std::move(values), 0.5); }

}  // namespace tilvaro::bench
