#include "core/key_bar_host.h"

namespace keylark::core {

bool IsKeyBarInFront(platform::Shell& shell, const KeyBarHost& key_bar) {
  return shell.GetForegroundWindow() == key_bar.Handle();
}

void BringKeyBarForward(platform::Shell& shell, const KeyBarHost& key_bar) {
  if (!IsKeyBarInFront(shell, key_bar)) shell.SetForegroundWindow(key_bar.Handle());
}

void BringActiveFormForward(platform::Shell& shell, const KeyBarHost& key_bar) {
  const platform::WindowHandle active = key_bar.ActiveForm();
  if (active != 0) shell.SetForegroundWindow(active);
}

}  // namespace keylark::core
