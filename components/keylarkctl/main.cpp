// keylarkctl.exe: Keylark's assignments and options from a command line. The
// commands themselves are portable (control/ctl.h); this file gives them the
// registry, the file system, files and the running key bar.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "control/ctl.h"
#include "control/win/code_page_codec.h"
#include "control/win/console_text.h"
#include "control/win/key_bar_link.h"
#include "core/window_messages.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/win32_filesystem.h"
#include "platform/win32/win32_registry.h"
#include "store/registry_store.h"

namespace {

using keylark::platform::win32::FileHandle;

class Win32CtlSystem final : public keylark::control::CtlSystem {
 public:
  explicit Win32CtlSystem(const keylark::store::Store& store) : store_(store) {}

  std::optional<std::string> ReadFile(const std::string& path) override {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) != FALSE) &&
           read > 0) {
      text.append(buffer, read);
    }
    return ok ? std::optional<std::string>(text) : std::nullopt;
  }

  std::optional<std::string> ReadStandardInput() override {
    return keylark::control::win::ReadStandardInput();
  }

  bool WriteFile(const std::string& path, const std::string& text) override {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    // A write the disk could not take shows when it is flushed, not when closed.
    return ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) &&
           written == text.size() && FlushFileBuffers(file.Get());
  }

  std::string FullPath(const std::string& path) override {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
  }

  void NotifyKeyBar() override {
    if (HWND key_bar = keylark::control::win::LiveKeyBar(store_)) {
      PostMessageA(key_bar, keylark::core::StoreChangedMessage, 0, 0);
    }
  }

 private:
  const keylark::store::Store& store_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  keylark::platform::win32::Win32Registry registry;
  const keylark::store::Store store(registry);
  keylark::platform::win32::Win32FileSystem files;
  const keylark::control::win::CodePageCodec codec;
  Win32CtlSystem system(store);
  const keylark::control::CtlResult result =
      keylark::control::RunCtl(args, {store, files, codec, system});
  keylark::control::win::WriteStandard(STD_OUTPUT_HANDLE, result.out);
  keylark::control::win::WriteStandard(STD_ERROR_HANDLE, result.err);
  return result.exit_code;
}
