#include "keylark_process.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/key_bar_layout.h"
#include "contract/registry_contract.h"
#include "resource.h"

namespace keylark::wintest {

std::string WindowsPathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return {};
  std::string path = value;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
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
  const int width = client.right, height = client.bottom;
  Pixels pixels(static_cast<std::size_t>(width * height));
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]);
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
    for (int x = label.left; x < label.left + app::kLabelSize; ++x)
      count += pixels[static_cast<std::size_t>(y * client.right + x)] == colour ? 1 : 0;
  }
  return count;
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
  DWORD name_size = name_room + 1, size = data_room + 1, type = 0;
  for (DWORD i = 0; RegEnumValueA(key, i, name.data(), &name_size, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
       ++i, name_size = name_room + 1, size = data_room + 1) {
    std::string upper = name.substr(0, name_size);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    dump[prefix + upper] = std::to_string(type) + ":" + data.substr(0, size);
  }
  char subkey[256];
  std::vector<std::string> subkeys;
  for (DWORD i = 0; RegEnumKeyA(key, i, subkey, sizeof subkey) == ERROR_SUCCESS; ++i)
    subkeys.emplace_back(subkey);
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

void PutRaw(const std::string& path, const std::string& name, DWORD type, const store::Bytes& data,
            platform::Root root) {
  store::ScopedKey(TestStore().Registry(), root, path, true).Write(name, type, data);
}

void Put(const std::string& path, const std::string& name, const std::string& text,
         platform::Root root) {
  PutRaw(path, name, REG_SZ, store::Bytes(text.c_str(), text.c_str() + text.size() + 1), root);
}

void PutW(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  HKEY key = nullptr;
  RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), &key);
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::optional<store::Bytes> Raw(const std::string& path, const std::string& name) {
  return store::ScopedKey(TestStore().Registry(), platform::Root::CurrentUser, path, false)
      .ReadBytes(name);
}

std::string Text(const std::string& path, const std::string& name) {
  const std::optional<store::Bytes> data = Raw(path, name);
  return data ? std::string(data->begin(), std::find(data->begin(), data->end(), 0)) : "<absent>";
}

void Reserve(const char* character) {
  Put(layout::kReserve, character, "1", platform::Root::LocalMachine);
}

void Assign(const std::string& key, const std::string& command, const char* switch_flag) {
  Put(layout::kCmd, key, command);
  Put(layout::kOpts, key, switch_flag);
}

void ReportFnKey(HWND key_bar, LPARAM make_code, bool wait) {
  if (wait) SendAndWait(key_bar, 2027, 256, make_code);
  if (!wait) PostMessageA(key_bar, 2027, 256, make_code);
}

bool AnswersWithin(HWND window, std::chrono::milliseconds deadline) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(deadline.count()), &result) != 0;
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

void SetItemText(HWND dialog, int id, const std::wstring& text) {
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, 5000, nullptr);
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::vector<HWND> WindowsOf(DWORD process, const char* class_name) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, class_name, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, class_name, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (process == 0 || owner == process) found.push_back(window);
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

std::string Utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string utf8(text.size() * 3, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return utf8;
}

HRESULT CreateShortcut(const std::string& file, const ShortcutFields& fields) {
  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  link->SetPath(fields.target.c_str());
  link->SetArguments(fields.arguments.c_str());
  link->SetWorkingDirectory(fields.working_directory.c_str());
  link->SetDescription(fields.description.c_str());
  if (!fields.icon_path.empty()) link->SetIconLocation(fields.icon_path.c_str(), fields.icon_index);
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

std::vector<HWND> DialogsWith(int control_id) {
  std::vector<HWND> found;
  for (HWND dialog : WindowsOf(0, "#32770")) {
    if (IsWindowVisible(dialog) && GetDlgItem(dialog, control_id) != nullptr)
      found.push_back(dialog);
  }
  return found;
}

HWND WaitForDialog(int control_id, std::chrono::milliseconds deadline) {
  std::vector<HWND> found;
  WaitFor([&] { return !(found = DialogsWith(control_id)).empty(); }, deadline);
  return found.empty() ? nullptr : found.front();
}

bool WaitUntilGone(int control_id) {
  return WaitFor([&] { return DialogsWith(control_id).empty(); });
}

HWND ChooseForKeyE(HWND key_bar, int button, int next_control) {
  PostMessageA(key_bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(84, 83));
  HWND type = WaitForDialog(IDC_AT_KEY);
  if (type == nullptr) return nullptr;
  Click(type, button);
  return WaitForDialog(next_control);
}

HWND PublishedKeyBar() {
  const std::optional<store::Bytes> handle = Raw(layout::kMaker, "Keylark");
  if (!handle || handle->size() != 4) return nullptr;
  std::int32_t value = 0;
  std::memcpy(&value, handle->data(), 4);
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

std::string FileText(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

std::string TargetProgram() {
  return WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\launch_target.exe";
}

std::string TempFilePath(const char* prefix) {
  char directory[MAX_PATH] = {}, path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  GetTempFileNameA(directory, prefix, 0, path);
  return path;
}

HWND TopLevelWindowOf(platform::ProcessId id, const char* class_name) {
  for (HWND window : WindowsOf(id, class_name))
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

void EndProcess(platform::ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (process == nullptr) return;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

LaunchLog::LaunchLog() { SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", path_.c_str()); }

LaunchLog::~LaunchLog() {
  EndAll();
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", nullptr);
  DeleteFileA(path_.c_str());
}

std::vector<platform::ProcessId> LaunchLog::Starts() const {
  std::ifstream log(path_);
  std::vector<platform::ProcessId> ids;
  for (std::string line; std::getline(log, line);)
    if (const unsigned long id = std::strtoul(line.c_str(), nullptr, 10)) ids.push_back(id);
  return ids;
}

namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool Program::Start(const std::string& name, const std::string& arguments,
                    const std::string& folder) {
  out_path_ = TempFilePath("kpo");
  err_path_ = TempFilePath("kpe");
  const std::string exe = name.find('\\') != std::string::npos
                              ? name
                              : WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\" + name;
  std::string command_line = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(out_path_, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(err_path_, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION info{};
  if (CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    process_ = info.hProcess;
    CloseHandle(info.hThread);
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    CloseHandle(handle);
  return process_ != nullptr;
}

Program::~Program() {
  if (Running() && (key_bar_ == nullptr || !Close())) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  if (process_ != nullptr) CloseHandle(process_);
  DeleteFileA(out_path_.c_str());
  DeleteFileA(err_path_.c_str());
}

bool Program::WaitForExit(std::chrono::milliseconds deadline) const {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

HWND Program::WaitForKeyBar() {
  HWND found = nullptr;
  const bool shown = WaitFor([&] {
    DWORD owner = 0;
    GetWindowThreadProcessId(found = PublishedKeyBar(), &owner);
    return owner == ProcessId() && IsWindowVisible(found);
  });
  return key_bar_ = shown ? found : nullptr;
}

bool Program::Close() {
  if (!Running()) return true;
  HWND target = key_bar_ != nullptr ? key_bar_ : PublishedKeyBar();
  if (target != nullptr) PostMessageA(target, WM_CLOSE, 0, 0);
  return WaitForExit(10s);
}

ProgramRun RunToEnd(const std::string& name, const std::string& arguments,
                    const std::string& folder) {
  const Program program(name, arguments, folder);
  program.WaitForExit();
  return {program.ExitCode(), program.Out(), program.Err()};
}

}  // namespace keylark::wintest
