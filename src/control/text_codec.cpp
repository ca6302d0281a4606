#include "control/text_codec.h"

#include <cstdint>

namespace keylark::control {
namespace {

// The number of continuation bytes a lead byte announces, or -1.
int ContinuationCount(std::uint8_t lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const int more = ContinuationCount(lead);
    if (more < 0 || text.size() - i <= static_cast<std::size_t>(more)) return false;
    std::uint32_t code = lead & (0x7FU >> more);
    for (int k = 1; k <= more; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3FU);
    }
    // Overlong three- and four-byte forms, surrogates and values past U+10FFFF.
    if (more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return false;
    if (more == 3 && (code < 0x10000 || code > 0x10FFFF)) return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

std::optional<std::string> Utf8Codec::ToUtf8(std::string_view stored) const {
  if (!IsWellFormedUtf8(stored)) return std::nullopt;
  return std::string(stored);
}

std::optional<std::string> Utf8Codec::FromUtf8(std::string_view utf8) const { return ToUtf8(utf8); }

}  // namespace keylark::control
