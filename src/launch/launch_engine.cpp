#include "launch/launch_engine.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "launch/command_line.h"
#include "store/layout.h"
#include "store/value_codec.h"

namespace keylark::launch {
namespace {

using core::WindowState;
using platform::WindowHandle;

// The remembered window lives in a label tag as decimal text. Handles are
// written signed, so a sign-extended handle of a 64-bit system reads back as
// the same value.
std::string TagOfWindow(WindowHandle window) {
  return std::to_string(static_cast<std::intptr_t>(window));
}

// Anything but a whole number in the range of a handle is no handle at all.
WindowHandle WindowOfTag(const std::string& tag) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), value);
  if (error != std::errc() || end != tag.data() + tag.size()) return 0;
  return static_cast<WindowHandle>(static_cast<std::intptr_t>(value));
}

void OpenAssignTypeDialog(const LaunchServices& services) {
  switch (services.key_bar.State()) {
    case WindowState::Normal:
      services.ui.ShowAssignTypeModal();
      // The dialog may have left another program in front.
      core::BringKeyBarForward(services.shell, services.key_bar);
      break;
    case WindowState::Minimized:
      // A hidden key bar cannot own a modal dialog the user could see.
      services.ui.ShowAssignTypeModeless();
      break;
    case WindowState::Maximized:
      break;
  }
}

void HandleUnassignedKey(const LaunchServices& services) {
  if (!services.session.AnyDialogOpen()) {
    OpenAssignTypeDialog(services);
    return;
  }
  // A key use during an assignment only brings the program's windows forward.
  if (services.key_bar.State() == WindowState::Normal) {
    core::BringKeyBarForward(services.shell, services.key_bar);
  } else {
    core::BringActiveFormForward(services.shell, services.key_bar);
  }
}

PathExists ExistsVia(platform::Shell& shell) {
  return [&shell](const std::string& path) { return shell.PathExists(path); };
}

// A small pointer movement lets the system hand the foreground to the window
// the launch is about to show, even when another program was in front.
void NudgeMouse(platform::Shell& shell) {
  shell.MoveMouseBy(-1, 1);
  shell.MoveMouseBy(1, 1);
}

// Without minimizing an empty list opens the folder it was made from; a list
// key without "FileCount" does nothing.
void ShowListOrOpenFolder(const LaunchServices& services, const std::string& command) {
  const std::optional<std::string> file_count = services.store.ReadText(
      store::PopupListKey(services.session.CurrentKeyName), store::kFileCountValue);
  if (!file_count) return;
  if (store::NumericValue(*file_count) != 0) {
    services.ui.ShowPopupList();
  } else {
    OpenThroughShell(services.shell, command.substr(1), "");
  }
}

// Whether the key bar may be minimized after this start: not when nothing was
// started or the shell had to step in for a failed start.
bool KeepsMinimizeOnUse(SwitchOutcome outcome) {
  return outcome == SwitchOutcome::BroughtForward || outcome == SwitchOutcome::Started;
}

void LaunchDirectCommand(const LaunchServices& services, const std::string& command, bool switch_on,
                         bool minimize_on_use) {
  bool keeps_minimize = true;
  if (switch_on) {
    keeps_minimize = KeepsMinimizeOnUse(SwitchOrStart(services, command));
  } else {
    OpenThroughShell(services.shell, SplitCommand(command, ExistsVia(services.shell)));
  }
  if (minimize_on_use && keeps_minimize) services.key_bar.SetState(WindowState::Minimized);
}

void LaunchAssignedKey(const LaunchServices& services, bool switch_on) {
  if (!core::IsKeyBarInFront(services.shell, services.key_bar)) NudgeMouse(services.shell);
  const std::string& key_name = services.session.CurrentKeyName;
  const std::string command = services.store.ReadText(store::kCommandKey, key_name).value_or("");
  const bool minimize_on_use =
      services.store.ReadFlag(store::kConfigKey, store::kMinimizeOnUseValue);
  if (store::IsPopupCommand(command)) {
    // With minimizing on, the list is shown whatever its count says; choosing
    // an item minimizes the key bar, not the showing.
    if (minimize_on_use) {
      services.ui.ShowPopupList();
    } else {
      ShowListOrOpenFolder(services, command);
    }
    return;
  }
  LaunchDirectCommand(services, command, switch_on, minimize_on_use);
}

bool ProcessIsRunning(const std::vector<platform::ProcessId>& running, platform::ProcessId id) {
  return std::find(running.begin(), running.end(), id) != running.end();
}

void BringRememberedWindowForward(platform::Shell& shell, WindowHandle window) {
  shell.ShowWindow(window, shell.IsIconic(window) ? platform::kShowNormal : platform::kShow);
  shell.SetForegroundWindow(window);
}

SwitchOutcome StartAndRemember(const LaunchServices& services, const std::string& command,
                               std::size_t slot) {
  const CommandParts parts = SplitCommand(command, ExistsVia(services.shell));
  const std::optional<platform::ProcessId> started =
      services.shell.StartProgram(ProgramStartLine(command, parts));
  if (!started) {
    OpenThroughShell(services.shell, parts);
    return SwitchOutcome::FellBackToShell;
  }
  services.session.LaunchedProcessIds[slot] = *started;
  // The window in front right after the start stands for the application.
  services.session.LabelTags[slot] = TagOfWindow(services.shell.GetForegroundWindow());
  return SwitchOutcome::Started;
}

}  // namespace

void LaunchKey(const LaunchServices& services) {
  core::Session& session = services.session;
  session.CurrentKeyLookup = core::kNoLookupYet;
  const bool switch_on = store::IsSwitchFlagOn(
      services.store.ReadText(store::kSwitchFlagKey, session.CurrentKeyName).value_or(""));
  session.CurrentKeyLookup = services.store.QueryValueSize(
      platform::Root::CurrentUser, store::kCommandKey, session.CurrentKeyName);
  if (session.CurrentKeyLookup != platform::kSuccess) {
    HandleUnassignedKey(services);
  } else {
    LaunchAssignedKey(services, switch_on);
  }
}

SwitchOutcome SwitchOrStart(const LaunchServices& services, const std::string& command) {
  const int index = services.session.CurrentKeyIndex;
  if (index < 0 || index >= core::kKeyCount) {
    // No slot to remember a process in: a plain shell start.
    OpenThroughShell(services.shell, SplitCommand(command, ExistsVia(services.shell)));
    return SwitchOutcome::FellBackToShell;
  }
  const auto slot = static_cast<std::size_t>(index);
  const std::string& tag = services.session.LabelTags[slot];
  if (WindowOfTag(tag) != 0) {
    const auto running = services.shell.SnapshotProcessIds();
    if (!running) return SwitchOutcome::NoSnapshot;
    if (ProcessIsRunning(*running, services.session.LaunchedProcessIds[slot])) {
      BringRememberedWindowForward(services.shell, WindowOfTag(tag));
      return SwitchOutcome::BroughtForward;
    }
  }
  return StartAndRemember(services, command, slot);
}

}  // namespace keylark::launch
