// The window messages the key bar understands from outside: the Fn-key
// report of the notebook's key handler (or of KeylarkFn.exe), the note that
// the store changed, and the tray icon's callback.
#pragma once

#include <cstdint>

namespace keylark::core {

// Posted by the Fn-key component to the published key bar: wParam is always
// kFnKeyReportWParam, lParam the make code of the key pressed with Fn.
inline constexpr std::uint32_t FnKeyMessage = 2027;  // WM_USER + 1003
inline constexpr std::uintptr_t kFnKeyReportWParam = 256;

// Posted by keylarkctl after it changed assignments or options: the key bar
// recolours its labels from the store. Parameters are not used.
inline constexpr std::uint32_t StoreChangedMessage = 2028;  // WM_USER + 1004

// The window class of the key bar, by which outside programs tell a live key
// bar from a stale published handle that now names some other window.
inline constexpr const char* kKeyBarWindowClass = "KeylarkKeyBar";

inline constexpr std::uint32_t TrayIconId = 9999;
inline constexpr std::uint32_t TrayCallbackMessage = 1124;  // WM_USER + 100
// The mouse messages a tray callback carries in lParam.
inline constexpr std::intptr_t kTrayDoubleClick = 0x203;    // WM_LBUTTONDBLCLK
inline constexpr std::intptr_t kTrayRightButtonUp = 0x205;  // WM_RBUTTONUP

}  // namespace keylark::core
