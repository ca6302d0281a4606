#include "app/win/main.h"

#include <optional>

#include "app/startup.h"
#include "app/win/key_bar.h"
#include "core/session.h"
#include "measure/measure_points.h"
#include "platform/win32/resident_instance.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/win32_file_chooser.h"
#include "platform/win32/win32_filesystem.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_resource_library.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shortcut_library.h"
#include "ui/win/dialog.h"
#include "store/registry_store.h"

namespace keylark::app::win {
namespace {

// The resident key bar's guard, held until the process ends.
constexpr const char* kInstanceMutexName = "Local\\Korvane.Keylark.Resident";

std::optional<OsVersion> ReadOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, but it is exactly the probe we want
#endif
  if (GetVersionExA(&info) != 1) return std::nullopt;
  return OsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId};
}

// A second start only brings the resident key bar back, restored and in front.
void WakeResidentInstance(const store::Store& store) {
  const std::optional<std::uint32_t> published = store.ReadPublishedWindowHandle();
  if (!published) return;
  HWND key_bar = platform::win32::PublishedWindow(*published);
  ShowWindow(key_bar, SW_RESTORE);
  SetForegroundWindow(key_bar);
}

// Keylark works in the system folder: a program or shell start that looks
// for a bare name in the current directory then finds only what the system
// folder holds, never a program planted in whatever folder Keylark happened
// to be started from.
void LeaveTheStartFolder() {
  const std::string folder = platform::win32::SystemFolder();
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

// Ends as soon as the key bar is gone: what is still queued is dropped.
int RunMessageLoop(const KeyBar& key_bar) {
  MSG message{};
  while (key_bar.hwnd() != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
    // A dialog open without owner takes its Tab, Enter, Esc and mnemonics.
    if (ui::win::Dialog::HandleDialogMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace

int Main(HINSTANCE instance) {
  using measure::Mark;
  using measure::Point;
  Mark(Point::Entry);
  core::Session session;
  session.CurrentKeyLookup = core::kNoLookupYet;
  platform::win32::Win32Registry registry;
  const store::Store store(registry);
  platform::win32::Win32Shell shell;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32FileChooser chooser;

  const platform::win32::InstanceGuard guard(kInstanceMutexName);
  Mark(Point::InstanceChecked);
  if (guard.AnotherIsRunning()) {
    WakeResidentInstance(store);
    ProbeOsVersion(session, ReadOsVersion());
    return 0;
  }

  LeaveTheStartFolder();
  platform::win32::Win32ResourceLibrary languages;

  KeyBar key_bar(session, store, shell,
                 DialogSeams{files, chooser, platform::win32::ProgramShortcutLibrary(), languages},
                 instance);
  if (!key_bar.Create()) return 1;
  Mark(Point::Created);
  key_bar.Show();
  Mark(Point::Shown);
  ProbeOsVersion(session, ReadOsVersion());
  const int exit_code = RunMessageLoop(key_bar);
  key_bar.Terminate();
  return exit_code;
}

}  // namespace keylark::app::win
