// A shortcut-information library that writes what a test tells it to (bytes
// per buffer, numbers, result, a new path text) and remembers what it got.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/shortcut_library.h"

namespace keylark::fakes {

class FakeShortcutLibrary final : public platform::ShortcutLibrary {
 public:
  bool EnsureLoaded() override { return loadable_; }
  std::int32_t GetShortCutInfo(char* target_buffer, char* path, char* buffer2, char* buffer3,
                               char* buffer4, char* buffer5, std::int32_t* number1,
                               std::int32_t* number2) override {
    ++calls_;
    const std::array<char*, 5> buffers = {target_buffer, buffer2, buffer3, buffer4, buffer5};
    outputs_were_zeroed_ = *number1 == 0 && *number2 == 0;
    for (std::size_t i = 0; i < buffers.size(); ++i) {
      outputs_were_zeroed_ &= std::all_of(buffers[i], buffers[i] + platform::kShortcutBufferSize,
                                          [](char c) { return c == '\0'; });
      const auto size = std::min(outputs_[i].size(), platform::kShortcutBufferSize);
      std::copy_n(outputs_[i].begin(), size, buffers[i]);
    }
    *number1 = numbers_[0];
    *number2 = numbers_[1];
    seen_path_ = path;
    // Like a real library, it never writes past the NUL it was given.
    const std::string& rewritten = rewritten_path_.value_or(seen_path_);
    std::copy_n(rewritten.c_str(), std::min(rewritten.size(), seen_path_.size()) + 1, path);
    return result_;
  }

  void SetLoadable(bool loadable) { loadable_ = loadable; }
  void SetResult(std::int32_t result) { result_ = result; }
  // Bytes for output buffer `index` (0 = target, 4 = last), cut to its size.
  void SetBuffer(std::size_t index, const std::vector<char>& bytes) { outputs_.at(index) = bytes; }
  void SetText(std::size_t index, const std::string& text) {
    SetBuffer(index, std::vector<char>(text.c_str(), text.c_str() + text.size() + 1));
  }
  void SetNumbers(std::int32_t first, std::int32_t second) { numbers_ = {first, second}; }
  // Text (with its NUL) written over the path buffer, cut to the buffer's size.
  void RewritePath(const std::string& text) { rewritten_path_ = text; }

  int Calls() const { return calls_; }
  // The path text as it arrived, up to its NUL.
  const std::string& SeenPath() const { return seen_path_; }
  // Whether all five buffers and both numbers were zero when the call came.
  bool OutputsWereZeroed() const { return outputs_were_zeroed_; }

 private:
  bool loadable_ = true;
  std::int32_t result_ = platform::kShortcutSuccess;
  std::array<std::vector<char>, 5> outputs_;
  std::array<std::int32_t, 2> numbers_ = {};
  std::optional<std::string> rewritten_path_;
  int calls_ = 0;
  std::string seen_path_;
  bool outputs_were_zeroed_ = false;
};

}  // namespace keylark::fakes
