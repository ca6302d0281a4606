#include "store/value_codec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace keylark::store {
namespace {

constexpr std::size_t kPositionBytes = 5;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

double ParseRadix(std::string_view digits, int radix) {
  double value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (radix == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (radix == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= radix) break;
    value = value * radix + digit;
  }
  return value;
}

}  // namespace

Bytes EncodeText(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

Bytes EmptyPlaceholder() { return Bytes(3, 0); }

Bytes EncodeFlag(bool on) { return EncodeText(on ? "1" : "0"); }

std::string DecodeText(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) return {};
  const auto* begin = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(begin, 0, size);
  const std::size_t length =
      nul == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(nul) - begin);
  return std::string(begin, length);
}

Utf8Character ReadUtf8Character(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {};
  const auto lead = static_cast<std::uint8_t>(text[at]);
  int more = -1;
  if (lead < 0x80) more = 0;
  if (lead >= 0xC2 && lead <= 0xDF) more = 1;
  if (lead >= 0xE0 && lead <= 0xEF) more = 2;
  if (lead >= 0xF0 && lead <= 0xF4) more = 3;
  if (more < 0 || text.size() - at <= static_cast<std::size_t>(more)) return {};
  std::uint32_t code = lead & (0x7FU >> more);
  for (int k = 1; k <= more; ++k) {
    const auto next = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3FU);
  }
  // Overlong three- and four-byte forms, surrogates and values past U+10FFFF.
  if (more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return {};
  if (more == 3 && (code < 0x10000 || code > 0x10FFFF)) return {};
  return {static_cast<std::size_t>(more) + 1, static_cast<char32_t>(code)};
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  return ReadUtf8Character(text, at).length;
}

bool IsFlagOn(std::string_view text) { return text == "1"; }

bool IsSwitchFlagOn(std::string_view text) { return NumericValue(text) != 0; }

double NumericValue(std::string_view text) {
  // Blanks count for nothing anywhere in the number ("1 2" reads 12).
  std::string compact;
  for (char c : text) {
    if (!IsBlank(c)) compact += c;
  }
  std::string_view s = compact;
  if (s.size() >= 2 && s[0] == '&') {
    const char prefix = s[1];
    const int radix = prefix == 'H' || prefix == 'h' ? 16 : prefix == 'O' || prefix == 'o' ? 8 : 0;
    if (radix != 0) {
      // Hundreds of digits overflow a double: as with decimals, that reads as 0.
      const double value = ParseRadix(s.substr(2), radix);
      return std::isfinite(value) ? value : 0;
    }
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  double value = 0;
  bool any_digit = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    value = value * 10 + (s[i++] - '0');
    any_digit = true;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      value += (s[i++] - '0') * scale;
      scale /= 10;
      any_digit = true;
    }
  }
  if (any_digit && i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    bool exp_negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp_negative = s[j++] == '-';
    int exponent = 0;
    bool exp_digit = false;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9' && exponent < 400) {
      exponent = exponent * 10 + (s[j++] - '0');
      exp_digit = true;
    }
    if (exp_digit) value *= std::pow(10.0, exp_negative ? -exponent : exponent);
  }
  if (!std::isfinite(value)) return 0;
  return negative ? -value : value;
}

std::string FormatPosition(double twips) {
  // Positions are single-precision numbers: round to that before printing.
  const auto single = static_cast<float>(twips);
  char text[64];
  if (std::nearbyint(single) == single && std::fabs(single) < 1e7F) {
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(single));
  } else {
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(single));
  }
  return text;
}

Bytes EncodePosition(double twips) {
  const std::string text = FormatPosition(twips);
  Bytes bytes(kPositionBytes, 0);
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), kPositionBytes));
  return bytes;
}

double DecodePosition(const std::uint8_t* data, std::size_t size) {
  return NumericValue(DecodeText(data, size));
}

}  // namespace keylark::store
