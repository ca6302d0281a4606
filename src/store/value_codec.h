// How texts, flags and positions are laid out as registry data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keylark::store {

using Bytes = std::vector<std::uint8_t>;

// A text as stored: its bytes followed by one NUL.
Bytes EncodeText(std::string_view text);

// The three zero bytes written where a description or directory is cleared.
Bytes EmptyPlaceholder();

// "1" or "0" with its NUL: two bytes.
Bytes EncodeFlag(bool on);

// Stored bytes read back as text: everything before the first NUL.
std::string DecodeText(const std::uint8_t* data, std::size_t size);

// Under the UTF-8 code page the ANSI text of every ...A call is UTF-8: the
// length of the well-formed sequence (one character) that starts at `at`,
// or 0 when no well-formed sequence starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);
// The same sequence with the character it encodes; length 0 when none.
struct Utf8Character {
  std::size_t length = 0;
  char32_t code = 0;
};
Utf8Character ReadUtf8Character(std::string_view text, std::size_t at);

// A flag is on only when its text is exactly "1".
bool IsFlagOn(std::string_view text);

// A key's switch flag ("ini\opts") is read more leniently: any text with a
// numeric value other than zero switches ("2", "-1", "1abc"); empty, absent
// or non-numeric text starts a new instance every time.
bool IsSwitchFlagOn(std::string_view text);

// The leading numeric value of a text, 0 when it has none: blanks are skipped,
// then an optional sign, digits, a decimal point and an exponent are taken up
// to the first character that does not fit ("12ab" gives 12, "x" gives 0).
// "&H" and "&O" prefixes read hexadecimal and octal digits.
double NumericValue(std::string_view text);

// A position in twips as text: whole numbers without decimals ("2880",
// "-15"), others with up to seven significant digits.
std::string FormatPosition(double twips);

// Position text is always five bytes: up to four characters followed by NUL
// padding, a longer text cut after its fifth character with no NUL at all.
Bytes EncodePosition(double twips);

// Reads position data: the text up to the first NUL (or all of it), as a number.
double DecodePosition(const std::uint8_t* data, std::size_t size);

}  // namespace keylark::store
