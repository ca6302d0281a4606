// Item names are told apart as the registry tells them apart: the portable
// fold gives every character of the Basic Multilingual Plane the upper-case
// form the system's own fold gives it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "store/name_fold.h"

namespace keylark::wintest {
namespace {

std::string Utf8(wchar_t c) {
  char bytes[8] = {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, static_cast<std::size_t>(size));
}

TEST(NameFold, EveryCharacterFoldsAsTheSystemFoldsIt) {
  using Upcase = WCHAR(WINAPI*)(WCHAR);
  const auto upcase = reinterpret_cast<Upcase>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(upcase, nullptr);
  int differences = 0;
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    const auto c = static_cast<wchar_t>(code);
    const std::string expected = Utf8(upcase(c));
    if (store::FoldedName(Utf8(c)) != expected && ++differences <= 10) {
      ADD_FAILURE() << std::hex << "U+" << code << " folds to U+"
                    << static_cast<unsigned>(upcase(c));
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace keylark::wintest
