#include "control/text_checks.h"

#include <algorithm>
#include <cstdint>

#include "store/value_codec.h"

namespace keylark::control {
namespace {

// The white-space characters beyond ASCII: the next line, the no-break
// space, the Ogham space mark, the general punctuation's spaces and
// separators, and the ideographic space.
bool IsWideWhiteSpace(std::string_view sequence) {
  constexpr std::string_view kSpaces[] = {
      "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
      "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
      "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8",
      "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
  return std::find(std::begin(kSpaces), std::end(kSpaces), sequence) != std::end(kSpaces);
}

bool IsAsciiWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// ESC, BEL and every other byte without a short escape: \x and two digits.
void AppendHex(std::uint8_t byte, std::string& out) {
  constexpr const char* kDigits = "0123456789abcdef";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace

bool IsBlankText(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = store::Utf8SequenceLength(utf8, at);
    if (length == 0) return false;
    const std::string_view sequence = utf8.substr(at, length);
    if (length == 1 ? !IsAsciiWhiteSpace(sequence[0]) : !IsWideWhiteSpace(sequence)) return false;
    at += length;
  }
  return true;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = store::Utf8SequenceLength(utf8, at);
    units += length == 4 ? 2 : 1;
    at += std::max<std::size_t>(length, 1);
  }
  return units;
}

std::string EscapedForMessage(std::string_view bytes) {
  std::string out;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = store::Utf8SequenceLength(bytes, at);
    const auto byte = static_cast<std::uint8_t>(bytes[at]);
    // The C1 controls (U+0080 to U+009F) act on some terminals as ESC does.
    const bool c1_control =
        length == 2 && byte == 0xC2 && static_cast<std::uint8_t>(bytes[at + 1]) < 0xA0;
    if (length > 1 && !c1_control) {
      out += bytes.substr(at, length);
      at += length;
      continue;
    }
    const std::size_t count = c1_control ? 2 : 1;
    for (std::size_t k = 0; k < count; ++k, ++at) {
      const auto each = static_cast<std::uint8_t>(bytes[at]);
      if (each == '\t') {
        out += "\\t";
      } else if (each == '\n') {
        out += "\\n";
      } else if (each == '\r') {
        out += "\\r";
      } else if (each < 0x20 || each >= 0x7F) {
        AppendHex(each, out);
      } else {
        out += static_cast<char>(each);
      }
    }
  }
  return out;
}

}  // namespace keylark::control
