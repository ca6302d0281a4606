// Checks on text that arrives from a command line or an import file before
// it reaches the store or a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keylark::control {

// True for UTF-8 text that is empty or holds nothing but white space of any
// script (blanks, tabs, line breaks, the no-break and ideographic spaces...).
bool IsBlankText(std::string_view utf8);

// The length of UTF-8 text in UTF-16 units, the measure of the registry's
// name limits: two units for a character beyond U+FFFF, one for any other
// character and for each byte that is not UTF-8.
std::size_t Utf16Length(std::string_view utf8);

// Bytes of a file or command line made safe to echo in a message: control
// characters as \t, \n, \r or \xHH (ESC as \x1b), and bytes that are not
// UTF-8 as \xHH, so that nothing read can drive the terminal.
std::string EscapedForMessage(std::string_view bytes);

}  // namespace keylark::control
