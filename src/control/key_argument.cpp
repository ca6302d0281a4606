#include "control/key_argument.h"

namespace keylark::control {
namespace {

char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::optional<core::KeyInfo> ParseKeyArgument(std::string_view text) {
  if (text.size() == 4 && ToUpper(text[0]) == 'F' && ToUpper(text[1]) == 'N' && text[2] == '-') {
    text.remove_prefix(3);
  }
  if (text.size() != 1) return std::nullopt;
  return core::FindKeyByName(core::KeyNameOf(ToUpper(text[0])));
}

std::string UnknownKeyMessage(std::string_view text) {
  return "unknown key \"" + std::string(text) +
         "\": the keys are 1-6, A-H, N, Q-T and V-Z (also written Fn-1, Fn-A...)";
}

}  // namespace keylark::control
