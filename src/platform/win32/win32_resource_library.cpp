#include "platform/win32/win32_resource_library.h"

#include <windows.h>

#include <utility>

#include "platform/win32/program_folder.h"

namespace keylark::platform::win32 {
namespace {

HMODULE ModuleOf(ResourceLibrary::Handle library) {
  return static_cast<HMODULE>(const_cast<void*>(library));
}

std::string BesideTheProgram() {
  const std::string folder = ProgramFolder();
  // Without the program's folder there is no safe place to look.
  return folder.empty() ? std::string() : folder + '\\' + kResourceLibraryName;
}

}  // namespace

Win32ResourceLibrary::Win32ResourceLibrary() : path_(BesideTheProgram()) {}

Win32ResourceLibrary::Win32ResourceLibrary(std::string path) : path_(std::move(path)) {}

ResourceLibrary::Handle Win32ResourceLibrary::LoadAsDataFile() {
  if (path_.empty()) return nullptr;
  return LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

int Win32ResourceLibrary::ReadString(Handle library, unsigned id, char* buffer, int buffer_size) {
  return LoadStringA(ModuleOf(library), id, buffer, buffer_size);
}

void Win32ResourceLibrary::Free(Handle library) { FreeLibrary(ModuleOf(library)); }

}  // namespace keylark::platform::win32
