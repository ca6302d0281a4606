#include "keylark_process.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <thread>
#include <vector>

#include "app/key_bar_layout.h"
#include "contract/registry_contract.h"

namespace keylark::wintest {

std::string WindowsPathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return {};
  std::string path = value;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Copied in one go: GetPixel per pixel is slow across processes.
Pixels CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  Pixels pixels(static_cast<std::size_t>(width * height));
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]);
  }
  SelectObject(memory, previous);
  DeleteObject(copy);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return pixels;
}

int LabelPixels(const Pixels& pixels, HWND key_bar, int index, COLORREF colour) {
  const app::LabelPosition& label = app::kLabelPositions[static_cast<std::size_t>(index)];
  RECT client{};
  GetClientRect(key_bar, &client);
  int count = 0;
  for (int y = label.top; y < label.top + app::kLabelSize; ++y) {
    for (int x = label.left; x < label.left + app::kLabelSize; ++x) {
      count += pixels[static_cast<std::size_t>(y * client.right + x)] == colour ? 1 : 0;
    }
  }
  return count;
}

int LabelPixels(HWND key_bar, int index, COLORREF colour) {
  return LabelPixels(CaptureClient(key_bar), key_bar, index, colour);
}

namespace {

void DumpKey(HKEY root, const std::string& label, const std::string& path, RegistryDump& dump) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  const std::string prefix = label + path + "|";
  dump[prefix] = "";
  DWORD name_room = 0, data_room = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &name_room,
                   &data_room, nullptr, nullptr);
  std::string name(name_room + 1, '\0'), data(data_room + 1, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD name_size = name_room + 1, size = data_room + 1, type = 0;
    if (RegEnumValueA(key, i, name.data(), &name_size, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
      break;
    }
    std::string upper = name.substr(0, name_size);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    dump[prefix + upper] = std::to_string(type) + ":" + data.substr(0, size);
  }
  std::vector<std::string> subkeys;
  char subkey[256];
  for (DWORD i = 0; RegEnumKeyA(key, i, subkey, sizeof subkey) == ERROR_SUCCESS; ++i) {
    subkeys.emplace_back(subkey);
  }
  RegCloseKey(key);
  for (const std::string& sub : subkeys) DumpKey(root, label, path + "\\" + sub, dump);
}

}  // namespace

RegistryDump DumpRegistry() {
  RegistryDump dump;
  DumpKey(HKEY_CURRENT_USER, "HKCU\\", layout::kMaker, dump);
  DumpKey(HKEY_LOCAL_MACHINE, "HKLM\\", layout::kMaker, dump);
  return dump;
}

store::Store& TestStore() {
  static platform::win32::Win32Registry registry;
  static store::Store store(registry);
  return store;
}

void ResetStore() {
  auto& registry = TestStore().Registry();
  contract::DeleteTree(registry, platform::Root::CurrentUser, layout::kMaker);
  contract::DeleteTree(registry, platform::Root::LocalMachine, layout::kMaker);
}

void Put(const std::string& path, const std::string& name, const std::string& text,
         platform::Root root) {
  const store::Bytes data(text.c_str(), text.c_str() + text.size() + 1);
  store::ScopedKey(TestStore().Registry(), root, path, true).Write(name, REG_SZ, data);
}

std::optional<store::Bytes> Raw(const std::string& path, const std::string& name) {
  return store::ScopedKey(TestStore().Registry(), platform::Root::CurrentUser, path, false)
      .ReadBytes(name);
}

std::string Text(const std::string& path, const std::string& name) {
  const std::optional<store::Bytes> data = Raw(path, name);
  if (!data) return "<absent>";
  return std::string(data->begin(), std::find(data->begin(), data->end(), 0));
}

void Reserve(const char* character) {
  Put(layout::kReserve, character, "1", platform::Root::LocalMachine);
}

void Assign(const std::string& key, const std::string& command, const char* switch_flag) {
  Put(layout::kCmd, key, command);
  Put(layout::kOpts, key, switch_flag);
}

void SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
}

void PutW(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
          DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                  nullptr);
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void PutTextW(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  PutW(path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ReportFnKey(HWND key_bar, LPARAM make_code, bool wait) {
  if (wait) return SendAndWait(key_bar, 2027, 256, make_code);
  PostMessageA(key_bar, 2027, 256, make_code);
}

void PressKeyIn(HWND window, UINT key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0xC0000000);
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text),
                      SMTO_NORMAL, 5000, &copied);
  return text;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::vector<HWND> WindowsOf(DWORD process, const char* class_name) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, class_name, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, class_name, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process) found.push_back(window);
  }
  return found;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

HRESULT CreateShortcut(const std::string& file, const ShortcutSpec& spec) {
  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  link->SetPath(spec.target.c_str());
  link->SetArguments(spec.arguments.c_str());
  link->SetWorkingDirectory(spec.working_directory.c_str());
  link->SetDescription(spec.description.c_str());
  if (!spec.icon_path.empty()) link->SetIconLocation(spec.icon_path.c_str(), spec.icon_index);
  IPersistFile* persist = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(result)) {
    result = persist->Save(Wide(file).c_str(), TRUE);
    persist->Release();
  }
  link->Release();
  return result;
}

DWORD ProcessNamed(const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD id = 0;
  for (BOOL more = Process32First(snapshot, &entry); more && id == 0;
       more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name) == 0) id = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return id;
}

namespace {
HWND VisibleDialog(const char* caption) {
  HWND found = FindWindowA("#32770", caption);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}
}  // namespace

HWND WaitForDialog(const char* caption) {
  HWND found = nullptr;
  WaitFor([&] { return (found = VisibleDialog(caption)) != nullptr; });
  return found;
}

bool WaitUntilGone(const char* caption) {
  return WaitFor([&] { return VisibleDialog(caption) == nullptr; });
}

HWND PublishedKeyBar() {
  const std::optional<store::Bytes> handle = Raw(layout::kMaker, "Keylark");
  if (!handle || handle->size() != 4) return nullptr;
  std::int32_t value = 0;
  std::memcpy(&value, handle->data(), 4);
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

KeylarkProcess::~KeylarkProcess() {
  if (info_.hProcess != nullptr) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT && !Close()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool KeylarkProcess::Start() {
  const std::string exe = WindowsPathFromEnvironment("KEYLARK_EXE");
  std::string command_line = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_) != FALSE;
}

HWND KeylarkProcess::WaitForKeyBar() {
  HWND found = nullptr;
  WaitFor([&] {
    found = PublishedKeyBar();
    return found != nullptr && IsWindowVisible(found);
  });
  key_bar_ = found;
  return found;
}

bool KeylarkProcess::Close() {
  HWND target = key_bar_ != nullptr ? key_bar_ : PublishedKeyBar();
  if (target != nullptr) PostMessageA(target, WM_CLOSE, 0, 0);
  return WaitForExit(std::chrono::seconds(10));
}

bool KeylarkProcess::WaitForExit(std::chrono::milliseconds deadline) {
  if (info_.hProcess == nullptr) return true;
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

}  // namespace keylark::wintest
