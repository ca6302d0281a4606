// The Application Explorer's two costs side by side with the bare system
// calls they stand on, in one run: a folder of 1,000 shortcuts listed with
// the shell's icons against a bare loop of the same SHGetFileInfoA questions,
// and a Start-menu tree of 300 folders in both programs folders against a
// bare FindFirstFile walk of them. The tree's figure is what the folders add
// to the explorer's opening (opened with them less opened without them).
// Like bench.exe it rewrites the Start menu and the registry of its prefix:
// tools/bench.sh runs it in a throw-away session.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "measured_program.h"
#include "remote_controls.h"
#include "resource.h"

namespace {

using keylark::wintest::RemoteList;
using keylark::wintest::RemoteTree;

constexpr int kRuns = 3;
constexpr int kFiles = 1000;
constexpr const char* kListFolder = "Keylark Bench List";

double NowMs() { return static_cast<double>(keylark::bench::NowMicroseconds()) / 1000.0; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::string Programs(int which) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool MakeShortcut(const std::string& file, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target.c_str());
  IPersistFile* persist = nullptr;
  HRESULT result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(result)) {
    std::wstring wide(file.begin(), file.end());
    result = persist->Save(wide.c_str(), TRUE);
    persist->Release();
  }
  link->Release();
  return SUCCEEDED(result);
}

void RemoveTree(const std::string& folder) {
  std::string list = folder;
  list.append(2, '\0');
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationA(&operation);
}

// Ten programs of the system, a hundred shortcuts to each.
void MakeListFolder(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  const char* targets[] = {"notepad.exe",
                           "regedit.exe",
                           "winhlp32.exe",
                           "explorer.exe",
                           "hh.exe",
                           "twain_32.dll",
                           "system32\\cmd.exe",
                           "system32\\calc.exe",
                           "system32\\control.exe",
                           "system32\\msiexec.exe"};
  for (int t = 0; t < 10; ++t) {
    const std::string first = folder + "\\Program " + std::to_string(t) + "-0.lnk";
    MakeShortcut(first, std::string("C:\\windows\\") + targets[t]);
    for (int copy = 1; copy < kFiles / 10; ++copy) {
      CopyFileA(
          first.c_str(),
          (folder + "\\Program " + std::to_string(t) + "-" + std::to_string(copy) + ".lnk").c_str(),
          FALSE);
    }
  }
}

// 150 folders in each programs folder: 50 top folders with two below each
// in all users', and in the user's 25 of the same names (merged) and 25 own.
std::vector<std::string> MakeTreeFolders(const std::string& common, const std::string& user) {
  std::vector<std::string> tops;
  auto make = [&](const std::string& root, const std::string& name) {
    const std::string top = root + "\\" + name;
    CreateDirectoryA(top.c_str(), nullptr);
    CreateDirectoryA((top + "\\Tools").c_str(), nullptr);
    CreateDirectoryA((top + "\\Help").c_str(), nullptr);
    tops.push_back(top);
  };
  for (int i = 0; i < 50; ++i) make(common, "KB " + std::to_string(100 + i));
  for (int i = 0; i < 25; ++i) make(user, "KB " + std::to_string(100 + i));
  for (int i = 0; i < 25; ++i) make(user, "KB U" + std::to_string(100 + i));
  return tops;
}

int Walk(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int folders = 0;
  do {
    const bool dot = found.cFileName[0] == '.';
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !dot &&
        (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) == 0) {
      folders += 1 + Walk(folder + "\\" + found.cFileName);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return folders;
}

void BareIcons(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  // The questions of a file's pictures at both sizes (the executable-type
  // flag left out: the shell then answers it alone).
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME |
                     SHGFI_LINKOVERLAY | SHGFI_SHELLICONSIZE;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string path = folder + "\\" + found.cFileName;
    for (const UINT size : {0U, static_cast<UINT>(SHGFI_SMALLICON)}) {
      SHFILEINFOA info{};
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags | size);
      if (info.hIcon != nullptr) DestroyIcon(info.hIcon);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

bool Await(const std::function<bool()>& condition, double deadline_ms = 120000) {
  const double end = NowMs() + deadline_ms;
  while (!condition()) {
    if (NowMs() > end) return false;
    Sleep(5);
  }
  return true;
}

HWND Visible(const char* caption) {
  HWND found = FindWindowA("#32770", caption);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

struct Explorer {
  keylark::bench::MeasuredProgram& program;
  HWND window = nullptr;

  // Milliseconds from Popup... to the explorer shown with its tree built.
  double Open() {
    PostMessageA(program.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));  // key E
    HWND type = nullptr;
    if (!Await([&] { return (type = Visible("Assignment Type")) != nullptr; })) return -1;
    const double start = NowMs();
    PostMessageA(GetDlgItem(type, IDC_AT_POPUP), BM_CLICK, 0, 0);
    if (!Await([&] { return (window = Visible("Application Explorer")) != nullptr; })) return -1;
    return NowMs() - start;
  }
  // Milliseconds from choosing the folder to its last file's picture.
  double List() {
    RemoteTree tree(GetDlgItem(window, IDC_EX_TREE), program.ProcessId());
    RemoteList list(GetDlgItem(window, IDC_EX_LIST), program.ProcessId());
    HTREEITEM node = tree.Find(kListFolder);
    const double start = NowMs();
    tree.Select(node);
    // Asked seldom: each question waits for the slice being filled.
    while (list.Count() < kFiles || list.Image(kFiles - 1) < 0) {
      if (NowMs() - start > 300000) return -1;
      Sleep(10);
    }
    return NowMs() - start;
  }
  // Milliseconds from Cancel, pressed while the pictures are still coming,
  // to the explorer gone.
  double CancelWhileFilling() {
    RemoteTree tree(GetDlgItem(window, IDC_EX_TREE), program.ProcessId());
    tree.Select(tree.Find(kListFolder));
    const double start = NowMs();
    Close();
    return NowMs() - start;
  }
  void Close() {
    PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    Await([] { return Visible("Application Explorer") == nullptr; });
  }
};

void Print(const char* figure, double bare, double keylark, double goal) {
  const double ratio = bare > 0 ? keylark / bare : 0;
  std::printf("%-52s %10.1f %10.1f %8.2fx   <= %.2fx  %s\n", figure, bare, keylark, ratio, goal,
              ratio <= goal ? "met" : "NOT MET");
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  const std::string common = Programs(CSIDL_COMMON_PROGRAMS);
  const std::string user = Programs(CSIDL_PROGRAMS);
  const std::string list_folder = common + "\\" + kListFolder;
  MakeListFolder(list_folder);

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.resize(folder.rfind('\\'));
  keylark::bench::MeasuredProgram program(folder + "\\KeylarkMeasured.exe");
  if (!program.Start()) {
    std::fprintf(stderr, "KeylarkMeasured.exe did not start\n");
    return 1;
  }
  Explorer explorer{program};
  std::vector<double> bare_list, keylark_list, open_without, open_with, bare_walk, cancel;
  for (int run = 0; run < kRuns; ++run) {
    double start = NowMs();
    BareIcons(list_folder);
    bare_list.push_back(NowMs() - start);
    open_without.push_back(explorer.Open());
    keylark_list.push_back(explorer.List());
    explorer.Close();
    explorer.Open();
    cancel.push_back(explorer.CancelWhileFilling());
  }
  const std::vector<std::string> tops = MakeTreeFolders(common, user);
  for (int run = 0; run < kRuns; ++run) {
    open_with.push_back(explorer.Open());
    explorer.Close();
    const double start = NowMs();
    Walk(common);
    Walk(user);
    bare_walk.push_back(NowMs() - start);
  }
  program.Close();
  for (const std::string& top : tops) RemoveTree(top);
  RemoveTree(list_folder);

  std::printf("%-52s %10s %10s %9s %10s\n", "Application Explorer (ms, medians of 3)", "bare",
              "Keylark", "ratio", "goal");
  Print("1,000 shortcuts listed with their icons", Median(bare_list), Median(keylark_list), 1.25);
  Print("300-folder tree: what it adds to the opening", Median(bare_walk),
        Median(open_with) - Median(open_without), 1.5);
  std::printf("%-52s %10s %10.1f %9s %10s  %s\n", "Cancel while the 1,000 pictures fill -> closed",
              "-", Median(cancel), "-", "<= 100 ms", Median(cancel) <= 100 ? "met" : "NOT MET");
  std::printf("  (opening without those folders: %.1f ms, with them: %.1f ms)\n",
              Median(open_without), Median(open_with));
  CoUninitialize();
  return 0;
}
