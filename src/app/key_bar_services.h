// Everything the key bar's portable decisions work on: the shared state, the
// store, the shell, and the key bar window itself behind an interface.
#pragma once

#include "core/key_bar_host.h"
#include "core/session.h"
#include "launch/launch_engine.h"
#include "platform/shell.h"
#include "store/registry_store.h"

namespace keylark::app {

// The key bar as its own decisions see it: what the parts below it need,
// and the tray menu only it has.
class KeyBarWindow : public core::KeyBarHost, public launch::LaunchUi {
 public:
  // Pops up the tray menu at the mouse pointer, its right edge at the pointer.
  virtual void ShowTrayMenu() = 0;
};

struct KeyBarServices {
  core::Session& session;
  const store::Store& store;
  platform::Shell& shell;
  KeyBarWindow& window;

  launch::LaunchServices Launch() const { return {session, store, shell, window, window}; }
};

}  // namespace keylark::app
