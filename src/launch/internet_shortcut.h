// Internet shortcuts (".url" files): the address they open, for the dialogs
// that fill a command from a chosen file. The file is a small INI text:
//   [InternetShortcut]
//   URL=https://example.org/
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace keylark::launch {

// Such files are a few hundred bytes; no more than this is read of one.
inline constexpr std::size_t kInternetShortcutReadLimit = std::size_t{64} * 1024;

// Whether a file name ends in ".url", in any case, as the file system
// compares names.
bool IsInternetShortcutName(std::string_view file_name);
// The name without its ".url": what such a file is called in a list.
std::string InternetShortcutTitle(std::string_view file_name);

// The first "URL=" of the "[InternetShortcut]" section, its value trimmed;
// section and key names in any case, lines ended by CR LF or LF. Nothing
// when the section has no such line or its value is empty.
std::optional<std::string> InternetShortcutUrl(std::string_view text);

// The same, read from the file at `path` up to the read limit. A line cut
// by the limit is not taken: a longer file says nothing beyond it.
std::optional<std::string> ReadInternetShortcutUrl(platform::FileSystem& files,
                                                   const std::string& path);

}  // namespace keylark::launch
