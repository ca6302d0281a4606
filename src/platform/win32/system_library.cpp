#include "platform/win32/system_library.h"

#include <windows.h>

#include <map>
#include <string>

namespace keylark::platform::win32 {

void* SystemFunction(const char* library, const char* function) {
  // One user-interface thread loads them; the modules stay until the end.
  static std::map<std::string, HMODULE> loaded;
  auto found = loaded.find(library);
  if (found == loaded.end()) {
    // Only from the system folder: a library of that name elsewhere is not ours.
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    found = loaded.emplace(library, module).first;
  }
  if (found->second == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(found->second, function));
}

}  // namespace keylark::platform::win32
