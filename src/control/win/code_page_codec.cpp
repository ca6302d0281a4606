#include "control/win/code_page_codec.h"

#include <windows.h>

namespace keylark::control::win {
namespace {

std::optional<std::wstring> Widen(UINT code_page, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int wide_size =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wide_size);
  return wide;
}

std::optional<std::string> Narrow(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int narrow_size =
      WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (narrow_size <= 0) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(narrow_size), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, narrow.data(), narrow_size, nullptr,
                      nullptr);
  return narrow;
}

// Only a conversion that converts back to the very same bytes counts: a
// best-fit or replacement character would change the data on its way.
std::optional<std::string> Convert(UINT from, UINT to, std::string_view text) {
  if (from == to) return IsWellFormedUtf8(text) ? std::optional<std::string>(text) : std::nullopt;
  const std::optional<std::wstring> wide = Widen(from, text);
  if (!wide) return std::nullopt;
  std::optional<std::string> converted = Narrow(to, *wide);
  if (!converted) return std::nullopt;
  const std::optional<std::wstring> wide_again = Widen(to, *converted);
  const std::optional<std::string> back =
      wide_again ? Narrow(from, *wide_again) : std::optional<std::string>();
  if (!back || *back != text) return std::nullopt;
  return converted;
}

}  // namespace

std::optional<std::string> CodePageCodec::ToUtf8(std::string_view stored) const {
  return Convert(GetACP(), CP_UTF8, stored);
}

std::optional<std::string> CodePageCodec::FromUtf8(std::string_view utf8) const {
  return Convert(CP_UTF8, GetACP(), utf8);
}

}  // namespace keylark::control::win
