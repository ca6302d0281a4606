#include "fakes/fake_shortcut_library.h"

#include <algorithm>
#include <cstring>

namespace keylark::fakes {
namespace {

bool IsZeroed(const char* buffer) {
  return std::all_of(buffer, buffer + platform::kShortcutBufferSize,
                     [](char c) { return c == '\0'; });
}

}  // namespace

void FakeShortcutLibrary::SetText(std::size_t index, const std::string& text) {
  std::vector<char> bytes(text.begin(), text.end());
  bytes.push_back('\0');
  SetBuffer(index, std::move(bytes));
}

void FakeShortcutLibrary::SetNumbers(std::int32_t first, std::int32_t second) {
  number1_ = first;
  number2_ = second;
}

std::int32_t FakeShortcutLibrary::GetShortCutInfo(char* target_buffer, char* path, char* buffer2,
                                                  char* buffer3, char* buffer4, char* buffer5,
                                                  std::int32_t* number1, std::int32_t* number2) {
  ++calls_;
  const std::array<char*, 5> buffers = {target_buffer, buffer2, buffer3, buffer4, buffer5};
  outputs_were_zeroed_ =
      std::all_of(buffers.begin(), buffers.end(), IsZeroed) && *number1 == 0 && *number2 == 0;
  seen_path_ = path;

  for (std::size_t i = 0; i < buffers.size(); ++i) {
    const std::size_t size = std::min(outputs_[i].size(), platform::kShortcutBufferSize);
    if (size > 0) std::memcpy(buffers[i], outputs_[i].data(), size);
  }
  *number1 = number1_;
  *number2 = number2_;
  if (rewrite_path_) {
    // Like a real library, it never writes past the NUL it was given.
    const std::size_t room = seen_path_.size() + 1;
    const std::size_t size = std::min(rewritten_path_.size() + 1, room);
    std::memcpy(path, rewritten_path_.c_str(), size);
  }
  return result_;
}

}  // namespace keylark::fakes
