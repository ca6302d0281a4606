#include "platform/win32/win32_file_chooser.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/system_library.h"

namespace keylark::platform::win32 {
namespace {

// The dialog takes its filter as NUL-separated strings ended by two NULs.
std::vector<char> FilterForDialog(const std::string& filter) {
  std::vector<char> pairs(filter.begin(), filter.end());
  for (char& c : pairs) {
    if (c == '|') c = '\0';
  }
  pairs.push_back('\0');
  pairs.push_back('\0');
  return pairs;
}

// Room for a long path; the dialog says when a choice does not fit.
constexpr DWORD kPathRoom = 32768;

}  // namespace

std::optional<std::string> Win32FileChooser::ChooseFileToOpen(const FileRequest& request) {
  std::vector<char> filter = FilterForDialog(request.filter);
  std::vector<char> path(kPathRoom, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
  dialog.lpstrFilter = filter.data();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathRoom;
  dialog.lpstrTitle = request.title.c_str();
  if (!request.start_folder.empty()) dialog.lpstrInitialDir = request.start_folder.c_str();
  // A shortcut comes back as itself: the editor reads its target on its own.
  // The current directory stays where Keylark keeps it (see its start-up).
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NODEREFERENCELINKS | OFN_NOCHANGEDIR;
  // The common dialogs are loaded the first time a file is chosen.
  using Choose = BOOL(WINAPI*)(OPENFILENAMEA*);
  const auto choose = SystemFunctionAs<Choose>("comdlg32.dll", "GetOpenFileNameA");
  if (choose == nullptr || choose(&dialog) == FALSE) return std::nullopt;
  return std::string(path.data());
}

}  // namespace keylark::platform::win32
