#include "launch/shortcut_reader.h"

#include <array>
#include <cstring>
#include <vector>

namespace keylark::launch {
namespace {

using Buffer = std::array<char, platform::kShortcutBufferSize>;

// The path as the library receives it: its bytes and one NUL, nothing more.
std::vector<char> WritablePath(const std::string& path) {
  std::vector<char> text(path.begin(), path.end());
  text.push_back('\0');
  return text;
}

// What the library left in the path buffer, up to its first NUL.
std::string TextOf(const std::vector<char>& text) {
  const auto* end = static_cast<const char*>(std::memchr(text.data(), '\0', text.size()));
  return std::string(text.data(), end != nullptr ? end : text.data() + text.size());
}

// One output buffer as text: the bytes before its first NUL, or the empty
// string when the buffer starts with NUL or holds no NUL at all (a library
// that ran over the end is not to be trusted with any of it).
std::string FieldOf(const Buffer& buffer) {
  const void* nul = std::memchr(buffer.data(), '\0', buffer.size());
  if (nul == nullptr) return {};
  return std::string(buffer.data(), static_cast<const char*>(nul));
}

}  // namespace

void ReadShortcut(platform::ShortcutLibrary& library, std::string& path, ShortcutInfo& info) {
  if (!library.EnsureLoaded()) return;

  std::array<Buffer, 5> buffers{};
  std::int32_t number1 = 0;
  std::int32_t number2 = 0;
  std::vector<char> path_text = WritablePath(path);
  const std::int32_t result = library.GetShortCutInfo(
      buffers[0].data(), path_text.data(), buffers[1].data(), buffers[2].data(), buffers[3].data(),
      buffers[4].data(), &number1, &number2);
  // The path is lent to the library whatever the outcome, so it comes back
  // whatever the outcome.
  path = TextOf(path_text);
  if (result != platform::kShortcutSuccess) return;

  info.TargetPath = FieldOf(buffers[0]);
  info.Info1 = FieldOf(buffers[1]);
  info.Info2 = FieldOf(buffers[2]);
  info.Info3 = FieldOf(buffers[3]);
  info.Info4 = FieldOf(buffers[4]);
  info.Number1 = number1;
  info.Number2 = number2;
}

}  // namespace keylark::launch
