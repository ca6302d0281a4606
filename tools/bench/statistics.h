// The few statistics the benchmark's tables show.
#pragma once

#include <algorithm>
#include <vector>

namespace keylark::bench {

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Minimum(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// The median of each run's ratio: a run's programs meet the same state of
// the machine, so the ratio of one run is fairer than a ratio of medians.
inline double PairedRatio(const std::vector<double>& keylark, const std::vector<double>& bare) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < keylark.size() && i < bare.size(); ++i) {
    if (bare[i] > 0) ratios.push_back(keylark[i] / bare[i]);
  }
  return Median(ratios);
}

}  // namespace keylark::bench
