#include "control/win/console_text.h"

namespace keylark::control::win {
namespace {

bool IsUsable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

std::wstring Utf16(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int wide_size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_size > 0 ? wide_size : 0), L'\0');
  if (wide_size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wide_size);
  return wide;
}

}  // namespace

void WriteStandard(DWORD which, const std::string& utf8) {
  HANDLE handle = GetStdHandle(which);
  if (!IsUsable(handle) || utf8.empty()) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = Utf16(utf8);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}

void UseStarterConsole() {
  if (IsUsable(GetStdHandle(STD_ERROR_HANDLE))) return;  // redirected by the starter
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  HANDLE console =
      CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (!IsUsable(console)) return;
  SetStdHandle(STD_OUTPUT_HANDLE, console);
  SetStdHandle(STD_ERROR_HANDLE, console);
}

std::optional<std::string> ReadStandardInput() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (!IsUsable(input)) return std::nullopt;
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (true) {
    if (!ReadFile(input, buffer, sizeof buffer, &read, nullptr)) {
      // A pipe whose writer has finished reports a broken pipe: its end.
      if (GetLastError() == ERROR_BROKEN_PIPE) break;
      return std::nullopt;
    }
    if (read == 0) break;
    text.append(buffer, read);
  }
  return text;
}

}  // namespace keylark::control::win
