#include "core/path_split.h"

namespace keylark::core {

// Both halves come from one search for the last backslash. The index is a
// size_t, so a path of any length splits the same way; nothing is cut off at
// 32767 characters.

std::string FolderOfPath(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  if (last == std::string::npos) return {};
  return path.substr(0, last);
}

std::string FileOfPath(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  if (last == std::string::npos) return path;
  return path.substr(last + 1);
}

}  // namespace keylark::core
