// The shortcut record filled from whatever a library writes into its buffers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "fakes/fake_shortcut_library.h"
#include "launch/shortcut_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark;
  if (size < 1) return 0;
  fakes::FakeShortcutLibrary library;
  library.SetResult(data[0] & 1 ? 0 : data[0]);
  // The rest is cut into five buffers and a new path text at 0xFF bytes.
  std::istringstream rest(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  std::string piece;
  for (std::size_t index = 0; index < 6 && std::getline(rest, piece, '\xFF'); ++index) {
    if (index < 5) library.SetBuffer(index, std::vector<char>(piece.begin(), piece.end()));
    if (index == 5) library.RewritePath(piece);
  }
  std::string path = "C:\\Menu\\App.lnk";
  launch::ShortcutInfo info;
  info.TargetPath = "before";
  launch::ReadShortcut(library, path, info);
  if ((data[0] & 1) == 0 && data[0] != 0 && info.TargetPath != "before") std::abort();
  for (const std::string* field :
       {&info.TargetPath, &info.Info1, &info.Info2, &info.Info3, &info.Info4}) {
    if (field->size() >= platform::kShortcutBufferSize) std::abort();
    if (field->find('\0') != std::string::npos) std::abort();
  }
  // The library may fill the path's buffer to its end, NUL included, but no further.
  if (path.size() > std::strlen("C:\\Menu\\App.lnk") + 1) std::abort();
  return 0;
}
