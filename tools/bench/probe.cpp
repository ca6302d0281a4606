// The measurement build's side of the measurement points: it records the
// start-up points and the Fn-key handling times, counts the GDI and USER
// objects the program holds, and answers the benchmark's questions.
#include <windows.h>

#include <array>
#include <cstdint>

#include "core/window_messages.h"
#include "clock.h"
#include "measure/measure_points.h"
#include "probe_protocol.h"

namespace keylark::measure {
namespace {

using bench::NowMicroseconds;
using bench::Question;

std::array<std::int64_t, static_cast<std::size_t>(Point::Count)> g_points = [] {
  std::array<std::int64_t, static_cast<std::size_t>(Point::Count)> points{};
  points.fill(bench::kNotPassed);
  return points;
}();

struct FnKeyRecord {
  int depth = 0;  // nested handling (a loop run inside a handler) is not timed twice
  std::int64_t shell_in_progress = 0;
  std::intptr_t count = 0;
  std::int64_t last_start = 0;
  std::int64_t last_total = 0;
  std::int64_t last_shell = 0;
};
FnKeyRecord g_fn_key;

UINT ProbeMessage() {
  static const UINT message = RegisterWindowMessageA(bench::kProbeMessageName);
  return message;
}

// Under Wine GetGuiResources counts nothing; its handle tables take 16-bit
// handles as well, so the objects can be found by trying each handle value.
constexpr UINT_PTR kLastGdiIndex = 0xFFFF;
constexpr UINT_PTR kFirstUserHandle = 0x20;
constexpr UINT_PTR kLastUserHandle = 0xFFEF;

std::intptr_t CountGdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  std::intptr_t objects = 0;
  for (UINT_PTR index = 1; index <= kLastGdiIndex; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++objects;
  }
  return objects;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<std::intptr_t*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

std::intptr_t CountWindows() {
  std::intptr_t windows = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
  // Message-only windows are not among the top-level windows.
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    CountWindow(window, reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

std::intptr_t CountMenusAndIcons() {
  std::intptr_t objects = 0;
  for (UINT_PTR value = kFirstUserHandle; value <= kLastUserHandle; value += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(value))) {
      ++objects;
      continue;
    }
    ICONINFO icon{};
    if (GetIconInfo(reinterpret_cast<HICON>(value), &icon)) {
      ++objects;
      if (icon.hbmMask != nullptr) DeleteObject(icon.hbmMask);
      if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
    }
  }
  return objects;
}

std::intptr_t CountUserObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (counted != 0) return counted;
  return CountWindows() + CountMenusAndIcons();
}

std::intptr_t PointTime(std::intptr_t point) {
  if (point < 0 || point >= static_cast<std::intptr_t>(Point::Count)) return bench::kNotPassed;
  return static_cast<std::intptr_t>(g_points[static_cast<std::size_t>(point)]);
}

// With KEYLARK_MEASURE_TRACE set, every point also goes to the debug output,
// where Wine's +timestamp,+debugstr channels show it among Wine's own traces.
bool Tracing() {
  static const bool tracing = GetEnvironmentVariableA("KEYLARK_MEASURE_TRACE", nullptr, 0) > 0;
  return tracing;
}

}  // namespace

void Mark(Point point) {
  g_points[static_cast<std::size_t>(point)] = NowMicroseconds();
  if (!Tracing()) return;
  char text[32];
  wsprintfA(text, "keylark point %d", static_cast<int>(point));
  OutputDebugStringA(text);
}

MessageTimer::MessageTimer(std::uint32_t message)
    : fn_key_(message == core::FnKeyMessage), timed_(fn_key_ && g_fn_key.depth == 0), start_(0) {
  if (fn_key_) ++g_fn_key.depth;
  if (!timed_) return;
  g_fn_key.shell_in_progress = 0;
  start_ = NowMicroseconds();
}

MessageTimer::~MessageTimer() {
  if (timed_) {
    g_fn_key.last_start = start_;
    g_fn_key.last_total = NowMicroseconds() - start_;
    g_fn_key.last_shell = g_fn_key.shell_in_progress;
    ++g_fn_key.count;
  }
  if (fn_key_) --g_fn_key.depth;
}

ShellCallTimer::ShellCallTimer() : start_(NowMicroseconds()) {}

ShellCallTimer::~ShellCallTimer() { g_fn_key.shell_in_progress += NowMicroseconds() - start_; }

bool AnswerQuery(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam,
                 std::intptr_t* answer) {
  if (message != ProbeMessage() || message == 0) return false;
  switch (static_cast<Question>(wparam)) {
    case Question::PointTime:
      *answer = PointTime(lparam);
      break;
    case Question::FnKeyCount:
      *answer = g_fn_key.count;
      break;
    case Question::FnKeyMicroseconds:
      *answer = static_cast<std::intptr_t>(g_fn_key.last_total);
      break;
    case Question::FnKeyShellMicroseconds:
      *answer = static_cast<std::intptr_t>(g_fn_key.last_shell);
      break;
    case Question::FnKeyStartTime:
      *answer = static_cast<std::intptr_t>(g_fn_key.last_start);
      break;
    case Question::GdiObjects:
      *answer = CountGdiObjects();
      break;
    case Question::UserObjects:
      *answer = CountUserObjects();
      break;
    default:
      *answer = bench::kUnknownQuestion;
      break;
  }
  return true;
}

}  // namespace keylark::measure
