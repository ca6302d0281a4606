// What the key bar's window procedure makes of the messages it watches: the
// tray icon's callbacks, the Fn-key reports of the notebook's key handler and
// the note that another program changed the store.
// Every message is passed on to the previous procedure afterwards, handled or
// not; that part stays with the window.
#pragma once

#include <cstdint>
#include <optional>

#include "app/key_bar_services.h"
#include "core/key_table.h"
#include "core/window_messages.h"

namespace keylark::app {

enum class KeyBarEvent {
  None,         // not ours: only passed on
  TrayRestore,  // double click on the tray icon
  TrayMenu,     // right button released over the tray icon
  FnKey,        // a key pressed together with Fn
  StoreChanged  // keylarkctl changed the store: recolour the labels
};

struct ClassifiedMessage {
  KeyBarEvent event = KeyBarEvent::None;
  std::optional<core::KeyInfo> key;  // the key of an FnKey event
};

ClassifiedMessage ClassifyKeyBarMessage(std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam);

// Acts on one classified message before the window passes it on: restores
// the key bar, pops up the tray menu, or makes the reported key current and
// launches it.
void HandleKeyBarEvent(const KeyBarServices& services, const ClassifiedMessage& classified);

// Classifies a message and acts on it.
void HandleKeyBarMessage(const KeyBarServices& services, std::uint32_t message,
                         std::uintptr_t wparam, std::intptr_t lparam);

// Makes a key the current one, as a click on its label does.
void SelectCurrentKey(core::Session& session, const core::KeyInfo& key);

// Tray double click: brings the key bar back, or the open dialog when one is.
void RestoreFromTrayIcon(const KeyBarServices& services);

// The tray menu's "Launch Keylark": like the double click, but it goes by the
// active form alone and not by the dialog-open flags.
void RestoreFromTrayMenu(const KeyBarServices& services);

// Puts a window of the program in front before the tray menu opens, so the
// menu closes when the user clicks elsewhere.
void BringForwardForTrayMenu(const KeyBarServices& services);

}  // namespace keylark::app
