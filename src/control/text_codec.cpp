#include "control/text_codec.h"

#include "store/value_codec.h"

namespace keylark::control {

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = store::Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::optional<std::string> Utf8Codec::ToUtf8(std::string_view stored) const {
  if (!IsWellFormedUtf8(stored)) return std::nullopt;
  return std::string(stored);
}

std::optional<std::string> Utf8Codec::FromUtf8(std::string_view utf8) const { return ToUtf8(utf8); }

}  // namespace keylark::control
