#include "core/key_table.h"

#include <gtest/gtest.h>

namespace keylark::core {
namespace {

// The 24 keys as the Fn-key component reports them and the registry names
// them, in index order: digits first, then letters, not the keyboard's order.
TEST(KeyTable, EachIndexHasItsKeyNameAndMakeCode) {
  const std::string characters = "123456ABCDEFGHNQRSTVWXYZ";
  const std::uint32_t make_codes[] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x1E, 0x30,
                                      0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x31, 0x10,
                                      0x13, 0x1F, 0x14, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  const KeyNameTable names = BuildFnKeyNames();
  for (std::size_t i = 0; i < 24; ++i) {
    const KeyInfo key = FindKeyByScanCode(make_codes[i]).value_or(KeyInfo{-1, '?', 0});
    EXPECT_EQ(names[i], std::string("Fn-") + characters[i]);
    EXPECT_EQ(key.character, characters[i]);
    EXPECT_EQ(key.index, static_cast<int>(i)) << names[i];
    EXPECT_EQ(FindKeyByName(names[i])->index, static_cast<int>(i));
  }
  int selecting = 0;
  for (std::uint32_t code = 0; code < 0x400; ++code) selecting += FindKeyByScanCode(code) ? 1 : 0;
  EXPECT_EQ(selecting, 24) << "no other code selects a key";
  for (const char* name : {"Fn-e", "Fn-I", "Fn-AA", "F-A"}) EXPECT_FALSE(FindKeyByName(name));
}

}  // namespace
}  // namespace keylark::core
