// What the parts below the key bar (the launcher, the dialogs, the tray
// decisions) need of the key bar window. The window implements KeyBarHost;
// the portable decisions call it, so they can be tested without a window.
#pragma once

#include "platform/shell.h"

namespace keylark::core {

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

  // Recolours the key labels and redraws the popup marks from the store.
  virtual void RefreshKeyMarks() = 0;

  // Lets the key bar take input again when a dialog flow ends.
  virtual void Enable() = 0;
  // The check mark of the "Confirm Changes" menu item.
  virtual void ShowConfirmChanges(bool on) = 0;
  // Shows one key's label in the assigned colour at once.
  virtual void ShowAsAssigned(int key_index) = 0;
};

// Whether the key bar is the foreground window.
bool IsKeyBarInFront(platform::Shell& shell, const KeyBarHost& key_bar);

// Makes the key bar the foreground window unless it already is.
void BringKeyBarForward(platform::Shell& shell, const KeyBarHost& key_bar);

// Makes the program's active form the foreground window.
void BringActiveFormForward(platform::Shell& shell, const KeyBarHost& key_bar);

}  // namespace keylark::core
