// Every window message number Keylark defines, in one place. Two ranges:
//   - messages other programs send to the key bar (the Fn-key handler, the
//     shell's tray icon, keylarkctl): fixed numbers in WM_USER's range, part
//     of the program's outside interface;
//   - messages Keylark posts to its own windows, in WM_APP's range, which no
//     control class and no other program uses.
// The static_asserts below keep every message inside its range and unique.
#pragma once

#include <array>
#include <cstdint>

namespace keylark::core {

inline constexpr std::uint32_t kWmUser = 0x0400;  // WM_USER
inline constexpr std::uint32_t kWmApp = 0x8000;   // WM_APP

struct MessageRange {
  std::uint32_t first;
  std::uint32_t last;
  constexpr bool Holds(std::uint32_t message) const { return first <= message && message <= last; }
};
inline constexpr MessageRange kOutsideMessages{kWmUser + 100, kWmUser + 1099};
inline constexpr MessageRange kOwnMessages{kWmApp + 1, kWmApp + 99};

// --- From outside -----------------------------------------------------------

// The tray icon's callback (Shell_NotifyIcon's uCallbackMessage).
inline constexpr std::uint32_t TrayCallbackMessage = kWmUser + 100;  // 1124
inline constexpr std::uint32_t TrayIconId = 9999;
// The mouse messages a tray callback carries in lParam.
inline constexpr std::intptr_t kTrayDoubleClick = 0x203;    // WM_LBUTTONDBLCLK
inline constexpr std::intptr_t kTrayRightButtonUp = 0x205;  // WM_RBUTTONUP

// Posted by the Fn-key component to the published key bar: wParam is always
// kFnKeyReportWParam, lParam the make code of the key pressed with Fn.
inline constexpr std::uint32_t FnKeyMessage = kWmUser + 1003;  // 2027
inline constexpr std::uintptr_t kFnKeyReportWParam = 256;

// Posted by keylarkctl after it changed assignments or options: the key bar
// recolours its labels from the store. Parameters are not used.
inline constexpr std::uint32_t StoreChangedMessage = kWmUser + 1004;  // 2028

// The window class of the key bar, by which outside programs tell a live key
// bar from a stale published handle that now names some other window.
inline constexpr const char* kKeyBarWindowClass = "KeylarkKeyBar";

// --- Keylark's own ----------------------------------------------------------

// Posted to the key bar when a modeless Assignment Type dialog has closed:
// the assignment flow goes on from its choice.
inline constexpr std::uint32_t ContinueFlowMessage = kWmApp + 1;
// Posted by the key bar to itself once its load has run: the rest of the
// start happens from its own message loop.
inline constexpr std::uint32_t FinishStartMessage = kWmApp + 2;

namespace message_check {
inline constexpr std::array<std::uint32_t, 3> kFromOutside = {TrayCallbackMessage, FnKeyMessage,
                                                              StoreChangedMessage};
inline constexpr std::array<std::uint32_t, 2> kOwn = {ContinueFlowMessage, FinishStartMessage};

template <std::size_t N>
constexpr bool AllIn(const std::array<std::uint32_t, N>& messages, MessageRange range) {
  for (std::uint32_t message : messages) {
    if (!range.Holds(message)) return false;
  }
  return true;
}
template <std::size_t N>
constexpr bool AllDifferent(const std::array<std::uint32_t, N>& messages) {
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i + 1; j < N; ++j) {
      if (messages[i] == messages[j]) return false;
    }
  }
  return true;
}
}  // namespace message_check

static_assert(kOutsideMessages.last < kOwnMessages.first, "the two ranges overlap");
static_assert(message_check::AllIn(message_check::kFromOutside, kOutsideMessages));
static_assert(message_check::AllIn(message_check::kOwn, kOwnMessages));
static_assert(message_check::AllDifferent(message_check::kFromOutside));
static_assert(message_check::AllDifferent(message_check::kOwn));

}  // namespace keylark::core
