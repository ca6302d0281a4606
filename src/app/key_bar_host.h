// What the launcher, the popup list and the tray handlers need from the key
// bar window. The window implements KeyBarHost; the portable decisions call
// it, so they can be tested without a window.
#pragma once

#include "app/session.h"
#include "platform/shell.h"
#include "store/registry_store.h"

namespace keylark::app {

enum class WindowState { Normal, Minimized, Maximized };

class KeyBarHost {
 public:
  virtual ~KeyBarHost() = default;

  virtual platform::WindowHandle Handle() const = 0;
  virtual WindowState State() const = 0;
  // Minimized hides the key bar; normal restores it (Show() makes it visible).
  virtual void SetState(WindowState state) = 0;
  virtual void Show() = 0;

  // The program's active form: an open dialog, or the key bar itself (also
  // while it is hidden). 0 when the program has no form at all.
  virtual platform::WindowHandle ActiveForm() const = 0;

  // Recolours the key labels from the store.
  virtual void RefreshKeyMarks() = 0;

  // The Assignment Type dialog for the current key: owned by the key bar and
  // returning only when it has closed, or without owner and returning at once.
  virtual void ShowAssignTypeModal() = 0;
  virtual void ShowAssignTypeModeless() = 0;

  // Builds the current key's popup list (BuildPopupMenu) and pops it up at the
  // mouse pointer; a chosen item goes to ChoosePopupItem.
  virtual void ShowPopupList() = 0;

  // Pops up the tray menu at the mouse pointer, its right edge at the pointer.
  virtual void ShowTrayMenu() = 0;
};

// Everything the key bar's decisions work on, gathered once by the key bar.
struct KeyBarServices {
  Session& session;
  const store::Store& store;
  platform::Shell& shell;
  KeyBarHost& host;
};

}  // namespace keylark::app
