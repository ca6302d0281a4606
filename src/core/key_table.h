// The 24 keys used together with Fn: index, key name, key character, scan code.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keylark::core {

inline constexpr int kKeyCount = 24;

struct KeyInfo {
  std::int16_t index;
  char character;          // the label's caption
  std::uint8_t scan_code;  // PC/AT set-1 make code
};

// In index order: digits first, then letters alphabetically (not keyboard order).
inline constexpr std::array<KeyInfo, kKeyCount> kKeys = {{
    {0, '1', 0x02},  {1, '2', 0x03},  {2, '3', 0x04},  {3, '4', 0x05},  {4, '5', 0x06},
    {5, '6', 0x07},  {6, 'A', 0x1E},  {7, 'B', 0x30},  {8, 'C', 0x2E},  {9, 'D', 0x20},
    {10, 'E', 0x12}, {11, 'F', 0x21}, {12, 'G', 0x22}, {13, 'H', 0x23}, {14, 'N', 0x31},
    {15, 'Q', 0x10}, {16, 'R', 0x13}, {17, 'S', 0x1F}, {18, 'T', 0x14}, {19, 'V', 0x2F},
    {20, 'W', 0x11}, {21, 'X', 0x2D}, {22, 'Y', 0x15}, {23, 'Z', 0x2C},
}};

using KeyNameTable = std::array<std::string, kKeyCount>;

// "Fn-" followed by the key character.
std::string KeyNameOf(char character);

// The table of the 24 key names in index order.
KeyNameTable BuildFnKeyNames();

// The key reported by a scan code, or nothing for a code outside the table.
std::optional<KeyInfo> FindKeyByScanCode(std::uint32_t scan_code);

// The key with this name ("Fn-A"; the letter must be upper case), or nothing.
std::optional<KeyInfo> FindKeyByName(std::string_view key_name);

}  // namespace keylark::core
