// The clock that the benchmark and the programs it measures share: the
// performance counter, which is the same for every process of the system.
#pragma once

#include <windows.h>

#include <cstdint>

namespace keylark::bench {

inline std::int64_t NowMicroseconds() {
  static const std::int64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<std::int64_t>(f.QuadPart);
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const std::int64_t ticks = now.QuadPart;
  return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

}  // namespace keylark::bench
