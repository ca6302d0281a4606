// How a stored command reaches the system: what the shell may be given as the
// file to open, and how a direct command splits into program and parameters.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace keylark::launch {

// A file name longer than this (MAX_PATH less its NUL) cannot name a file.
inline constexpr std::size_t kLongestPath = 259;
// URLs may be longer, but the shell itself breaks on a file of about a
// thousand characters (Wine's dies at 997); this stays well below that.
inline constexpr std::size_t kLongestUrl = 900;

// The length of a text in UTF-16 units. Keylark runs with the UTF-8 code
// page, and every ...A call converts its text to UTF-16 first, so this is the
// length the system's limits apply to. Bytes that are no UTF-8 count one each.
std::size_t WideLength(std::string_view text);

// A scheme of two or more characters and a colon ("http:", "mailto:",
// "shell:"); "C:" is a drive, not a scheme.
bool IsUrl(std::string_view text);

// "C:\..." or "\\server\...": a path that means the same file whatever the
// current directory is. Only such paths are ever looked up.
bool IsFullyQualified(std::string_view path);

// The one rule for what the shell may be given as the file to open: not
// empty, a URL up to kLongestUrl, anything else up to kLongestPath.
bool ShellMayOpen(std::string_view file);

// The file-system question behind the splitting: does this fully qualified
// path name an existing file or folder.
using PathExists = std::function<bool(const std::string&)>;

struct CommandParts {
  std::string program;     // the file to start or open
  std::string parameters;  // what the program is given, may be empty
  bool program_exists = false;
};

// Splits a direct command the way the Run box does. A command that is a URL
// or names an existing file stays whole. Otherwise a quoted first token is
// the program; else the longest prefix ending before a blank that names an
// existing file; else the first blank-separated token. The parameters are
// the rest, without the blanks that lead it.
CommandParts SplitCommand(std::string_view command, const PathExists& exists);

// The line the program start is given. A program that exists is quoted so
// the start cannot take a shorter prefix of its path for the program (a
// planted C:\dir.exe for C:\dir with space\run.exe); anything else goes as
// stored, and the system looks the program up as it always has.
std::string ProgramStartLine(std::string_view command, const CommandParts& parts);

// Hands a file and its parameters to the shell when ShellMayOpen allows the
// file; a refused file is dropped without a word, like any failed shell call.
bool OpenThroughShell(platform::Shell& shell, const std::string& file,
                      const std::string& parameters);
// A split direct command: its program and parameters.
bool OpenThroughShell(platform::Shell& shell, const CommandParts& parts);

}  // namespace keylark::launch
