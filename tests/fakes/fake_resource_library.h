// A resource library held in memory: a string table that a test fills, or no
// library at all. It copies strings as LoadStringA does and counts the loads
// that were not released.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "platform/resource_library.h"

namespace keylark::fakes {

class FakeResourceLibrary final : public platform::ResourceLibrary {
 public:
  bool present = true;
  std::map<unsigned, std::string> strings;
  int held = 0;  // loads not yet released
  int loads = 0;

  Handle LoadAsDataFile() override {
    if (!present) return nullptr;
    ++held;
    ++loads;
    return this;
  }
  int ReadString(Handle library, unsigned id, char* buffer, int buffer_size) override {
    const auto found = strings.find(id);
    if (library != this || found == strings.end() || buffer_size <= 0) return 0;
    const int copied = std::min(static_cast<int>(found->second.size()), buffer_size - 1);
    std::copy_n(found->second.begin(), copied, buffer);
    buffer[copied] = '\0';
    return copied;
  }
  void Free(Handle library) override {
    if (library == this) --held;
  }
};

}  // namespace keylark::fakes
