// Start-up benchmark: starts Keylark.exe again and again and prints how long
// it takes until its key bar is published and visible, and until the process
// has ended after the key bar is closed.
//   bench_startup.exe [runs] [path of Keylark.exe]
// Without a path it takes KEYLARK_EXE (a Unix path, as the tests get it).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string KeylarkPath(int argc, char** argv) {
  if (argc > 2) return argv[2];
  const char* unix_path = std::getenv("KEYLARK_EXE");
  std::string path = unix_path != nullptr ? unix_path : "Keylark.exe";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

HWND PublishedKeyBar() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvane", &key) != ERROR_SUCCESS) return nullptr;
  DWORD handle = 0;
  DWORD size = sizeof handle;
  const LSTATUS status =
      RegQueryValueExA(key, "Keylark", nullptr, nullptr, reinterpret_cast<BYTE*>(&handle), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(handle)));
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  std::printf("%-28s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", what,
              samples[samples.size() / 2], samples.front(), samples.back(), samples.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const std::string exe = KeylarkPath(argc, argv);
  std::vector<double> to_visible;
  std::vector<double> to_exit;
  for (int run = 0; run < runs; ++run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command_line = "\"" + exe + "\"";
    const auto started = Clock::now();
    if (!CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      std::fprintf(stderr, "cannot start %s\n", exe.c_str());
      return 1;
    }
    HWND key_bar = nullptr;
    while (Clock::now() - started < std::chrono::seconds(20)) {
      key_bar = PublishedKeyBar();
      if (key_bar != nullptr && IsWindowVisible(key_bar)) break;
      Sleep(1);
    }
    to_visible.push_back(Milliseconds(Clock::now() - started));
    const auto closing = Clock::now();
    PostMessageA(key_bar, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 20000);
    to_exit.push_back(Milliseconds(Clock::now() - closing));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  Report("start to visible key bar", to_visible);
  Report("close to process end", to_exit);
  return 0;
}
