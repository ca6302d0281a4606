// The resident Fn-key agent: system-wide hotkeys for the 24 keys, each
// reported to the running key bar as the notebook's Fn-key handler would.
#pragma once

#include <windows.h>

#include <vector>

#include "core/key_table.h"
#include "store/registry_store.h"
#include "ui/win/window_base.h"

namespace keylark::fn {

// The agent's window class, by which --quit finds the running agent.
inline constexpr const char* kAgentWindowClass = "KeylarkFnAgent";

class Agent final : public ui::win::WindowBase {
 public:
  Agent(HINSTANCE instance, const store::Store& store, bool quiet)
      : instance_(instance), store_(store), quiet_(quiet) {}

  // Registers the hotkeys, reports those it cannot have, and runs until
  // told to quit or the session ends. Returns the process's exit code.
  int Run();

 private:
  bool CreateAgentWindow();
  void RegisterHotkeys(std::uint32_t modifiers, std::vector<core::KeyInfo>& taken);
  void UnregisterHotkeys();
  void Report(const std::string& message) const;
  void OnHotkey(int id) const;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  HINSTANCE instance_;
  const store::Store& store_;
  bool quiet_;
  std::vector<int> registered_;
};

}  // namespace keylark::fn
