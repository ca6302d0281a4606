// Folder and file of any path: the two halves always give the path back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/path_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark::core;
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string folder = FolderOfPath(path);
  const std::string file = FileOfPath(path);
  const bool has_folder = path.find('\\') != std::string::npos;
  if (file.find('\\') != std::string::npos) std::abort();
  if (has_folder ? folder + "\\" + file != path : (!folder.empty() || file != path)) std::abort();
  return 0;
}
