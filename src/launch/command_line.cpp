#include "launch/command_line.h"

#include <algorithm>

#include "store/value_codec.h"

namespace keylark::launch {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsSchemeCharacter(char c) {
  return IsLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view TrimLeadingBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

// Only a fully qualified path short enough to name a file is ever asked
// about, so neither the current directory nor an endless line is searched.
bool NamesExistingPath(std::string_view path, const PathExists& exists) {
  return IsFullyQualified(path) && WideLength(path) <= kLongestPath && exists(std::string(path));
}

CommandParts PartsAt(std::string_view command, std::size_t program_end, std::size_t rest_start,
                     bool exists) {
  const std::string_view rest =
      rest_start < command.size() ? command.substr(rest_start) : std::string_view();
  return {std::string(command.substr(0, program_end)), std::string(TrimLeadingBlanks(rest)),
          exists};
}

CommandParts SplitQuoted(std::string_view line, const PathExists& exists) {
  const std::size_t close = line.find('"', 1);
  const std::string_view program =
      close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
  const std::string_view rest =
      close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
  return {std::string(program), std::string(TrimLeadingBlanks(rest)),
          NamesExistingPath(program, exists)};
}

CommandParts SplitUnquoted(std::string_view line, const PathExists& exists) {
  // No prefix longer than a path can be is looked up (a UTF-16 unit takes at
  // most three bytes), so a long line costs no more than a short one.
  std::size_t first_blank = line.size();
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (IsBlank(line[i])) {
      first_blank = i;
      break;
    }
  }
  const std::size_t longest = std::min(line.size(), kLongestPath * 3);
  for (std::size_t end = longest; end > first_blank; --end) {
    if (end < line.size() && IsBlank(line[end]) && !IsBlank(line[end - 1]) &&
        NamesExistingPath(line.substr(0, end), exists)) {
      return PartsAt(line, end, end, true);
    }
  }
  return PartsAt(line, first_blank, first_blank, false);
}

}  // namespace

std::size_t WideLength(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = store::Utf8SequenceLength(text, i);
    if (length == 0) {  // a byte that is no UTF-8 counts one
      ++units;
      ++i;
      continue;
    }
    units += length == 4 ? 2 : 1;  // beyond the BMP: a surrogate pair
    i += length;
  }
  return units;
}

bool IsUrl(std::string_view text) {
  if (text.empty() || !IsLetter(text[0])) return false;
  std::size_t i = 1;
  while (i < text.size() && IsSchemeCharacter(text[i])) ++i;
  return i >= 2 && i < text.size() && text[i] == ':';
}

bool IsFullyQualified(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return true;
  return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && !IsSeparator(path[2]);
}

bool ShellMayOpen(std::string_view file) {
  if (file.empty()) return false;
  return WideLength(file) <= (IsUrl(file) ? kLongestUrl : kLongestPath);
}

CommandParts SplitCommand(std::string_view command, const PathExists& exists) {
  if (IsUrl(command)) return {std::string(command), {}, false};
  if (NamesExistingPath(command, exists)) return {std::string(command), {}, true};
  const std::string_view line = TrimLeadingBlanks(command);
  if (!line.empty() && line[0] == '"') return SplitQuoted(line, exists);
  return SplitUnquoted(line, exists);
}

std::string ProgramStartLine(std::string_view command, const CommandParts& parts) {
  if (!parts.program_exists) return std::string(command);
  std::string line = "\"" + parts.program + "\"";
  if (!parts.parameters.empty()) line += " " + parts.parameters;
  return line;
}

bool OpenThroughShell(platform::Shell& shell, const std::string& file,
                      const std::string& parameters) {
  if (!ShellMayOpen(file)) return false;
  return shell.OpenWithShell(file, parameters);
}

bool OpenThroughShell(platform::Shell& shell, const CommandParts& parts) {
  return OpenThroughShell(shell, parts.program, parts.parameters);
}

}  // namespace keylark::launch
