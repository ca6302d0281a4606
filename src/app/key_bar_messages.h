// What the key bar's window procedure makes of the messages it watches: the
// tray icon's callbacks and the Fn-key reports of the notebook's key handler.
// Every message is passed on to the previous procedure afterwards, handled or
// not; that part stays with the window.
#pragma once

#include <cstdint>
#include <optional>

#include "app/key_bar_host.h"
#include "app/key_table.h"

namespace keylark::app {

inline constexpr std::uint32_t TrayIconId = 9999;
inline constexpr std::uint32_t TrayCallbackMessage = 1124;  // WM_USER + 100
inline constexpr std::uint32_t FnKeyMessage = 2027;         // WM_USER + 1003
// The only wParam an Fn-key report carries.
inline constexpr std::uintptr_t kFnKeyReportWParam = 256;
// The mouse messages a tray callback carries in lParam.
inline constexpr std::intptr_t kTrayDoubleClick = 0x203;    // WM_LBUTTONDBLCLK
inline constexpr std::intptr_t kTrayRightButtonUp = 0x205;  // WM_RBUTTONUP

enum class KeyBarEvent {
  None,         // not ours: only passed on
  TrayRestore,  // double click on the tray icon
  TrayMenu,     // right button released over the tray icon
  FnKey         // a key pressed together with Fn
};

struct ClassifiedMessage {
  KeyBarEvent event = KeyBarEvent::None;
  std::optional<KeyInfo> key;  // the key of an FnKey event
};

ClassifiedMessage ClassifyKeyBarMessage(std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam);

// Acts on one message before the window passes it on: restores the key bar,
// pops up the tray menu, or makes the reported key current and launches it.
void HandleKeyBarMessage(const KeyBarServices& services, std::uint32_t message,
                         std::uintptr_t wparam, std::intptr_t lparam);

// Makes a key the current one, as a click on its label does.
void SelectCurrentKey(Session& session, const KeyInfo& key);

// Tray double click: brings the key bar back, or the open dialog when one is.
void RestoreFromTrayIcon(const KeyBarServices& services);

// The tray menu's "Launch Keylark": like the double click, but it goes by the
// active form alone and not by the dialog-open flags.
void RestoreFromTrayMenu(const KeyBarServices& services);

// Puts a window of the program in front before the tray menu opens, so the
// menu closes when the user clicks elsewhere.
void BringForwardForTrayMenu(const KeyBarServices& services);

}  // namespace keylark::app
