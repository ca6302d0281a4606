// How the benchmark asks a measured program what it recorded: it sends the
// registered message below with a question in wParam (and a point in lParam
// where the question needs one); the reply is the message's result.
#pragma once

#include <cstdint>

namespace keylark::bench {

inline constexpr const char* kProbeMessageName = "Keylark.Benchmark.Probe";

enum class Question : std::uintptr_t {
  // When a start-up point was passed, in microseconds of the performance
  // counter's clock (QueryPerformanceCounter), or -1 when it was not.
  PointTime = 1,
  // How many Fn-key messages were handled so far.
  FnKeyCount = 2,
  // The last Fn-key message's handling time, in microseconds: in all, and
  // spent inside the shell's program start.
  FnKeyMicroseconds = 3,
  FnKeyShellMicroseconds = 4,
  // When the last Fn-key message's handling began, on the shared clock.
  FnKeyStartTime = 7,
  // The GDI and USER objects the program holds now.
  GdiObjects = 5,
  UserObjects = 6,
};

// The launch target sets this event as soon as it runs.
inline constexpr const char* kTargetStartedEventName = "Local\\Keylark.Benchmark.TargetStarted";

inline constexpr std::intptr_t kNotPassed = -1;
inline constexpr std::intptr_t kUnknownQuestion = -2;

}  // namespace keylark::bench
