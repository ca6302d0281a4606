#include "launch/internet_shortcut.h"

#include <algorithm>
#include <cctype>

namespace keylark::launch {
namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

constexpr std::string_view kExtension = ".url";

}  // namespace

bool IsInternetShortcutName(std::string_view file_name) {
  return file_name.size() > kExtension.size() &&
         SameIgnoringCase(file_name.substr(file_name.size() - kExtension.size()), kExtension);
}

std::string InternetShortcutTitle(std::string_view file_name) {
  return std::string(file_name.substr(0, file_name.size() - kExtension.size()));
}

std::optional<std::string> InternetShortcutUrl(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  bool in_section = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.find(']');
      in_section = close != std::string_view::npos &&
                   SameIgnoringCase(Trimmed(line.substr(1, close - 1)), "InternetShortcut");
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_section || equals == std::string_view::npos ||
        !SameIgnoringCase(Trimmed(line.substr(0, equals)), "URL")) {
      continue;
    }
    const std::string_view url = Trimmed(line.substr(equals + 1));
    if (url.empty()) return std::nullopt;
    return std::string(url);
  }
  return std::nullopt;
}

std::optional<std::string> ReadInternetShortcutUrl(platform::FileSystem& files,
                                                   const std::string& path) {
  std::optional<std::string> text = files.ReadFileStart(path, kInternetShortcutReadLimit);
  if (!text) return std::nullopt;
  if (text->size() >= kInternetShortcutReadLimit) {
    const std::size_t last_end = text->rfind('\n');
    text->resize(last_end == std::string::npos ? 0 : last_end);
  }
  return InternetShortcutUrl(*text);
}

}  // namespace keylark::launch
