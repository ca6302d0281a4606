// Draws Keylark's picture files — the program icon, the pointing-hand cursor,
// the assignment list's row pictures, the application explorer's folders and
// view buttons — and encodes them as ICO and CUR files. Everything is
// computed, so the files can be made again byte for byte. (The key bar's keyboard is drawn by the
// program itself.)
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
