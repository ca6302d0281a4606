// Item names are told apart as the registry tells them apart: every character
// of the Basic Multilingual Plane folds to the system's own upper case.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "store/name_fold.h"

namespace keylark::wintest {
namespace {

std::string Utf8(wchar_t c) {
  char bytes[8] = {};
  return std::string(bytes, WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, 8, nullptr, nullptr));
}

TEST(NameFold, EveryCharacterFoldsAsTheSystemFoldsIt) {
  const auto upcase = reinterpret_cast<WCHAR(WINAPI*)(WCHAR)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(upcase, nullptr);
  int differences = 0;
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    const auto c = static_cast<wchar_t>(code);
    if ((code < 0xD800 || code > 0xDFFF) && store::FoldedName(Utf8(c)) != Utf8(upcase(c)) &&
        ++differences <= 10) {
      ADD_FAILURE() << std::hex << "U+" << code << " folds to U+" << unsigned{upcase(c)};
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace keylark::wintest
