// Draws Keylark's pictures — the key bar's keyboard, the program icon and
// the pointing-hand cursor — and encodes them as BMP, ICO and CUR files.
// Everything is computed, so the files can be made again byte for byte.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace keylark::pictures {

using FileBytes = std::vector<std::uint8_t>;

// File name (as in resources/) -> contents.
std::map<std::string, FileBytes> GenerateAll();

}  // namespace keylark::pictures
