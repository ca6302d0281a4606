#include "core/key_table.h"

#include <gtest/gtest.h>

#include <set>

namespace keylark::core {
namespace {

TEST(KeyTable, NamesFollowTheAlphabeticalTableNotTheKeyboard) {
  const KeyNameTable names = BuildFnKeyNames();
  EXPECT_EQ(names[0], "Fn-1");
  EXPECT_EQ(names[5], "Fn-6");
  EXPECT_EQ(names[6], "Fn-A");
  EXPECT_EQ(names[14], "Fn-N");
  EXPECT_EQ(names[15], "Fn-Q");
  EXPECT_EQ(names[23], "Fn-Z");
  std::set<std::string> distinct(names.begin(), names.end());
  EXPECT_EQ(distinct.size(), 24U);
  for (const std::string& name : names) EXPECT_EQ(name.size(), 4U) << name;
}

TEST(KeyTable, ScanCodesSelectTheirKeys) {
  EXPECT_EQ(FindKeyByScanCode(0x02)->index, 0);   // Fn-1
  EXPECT_EQ(FindKeyByScanCode(0x12)->index, 10);  // Fn-E
  EXPECT_EQ(FindKeyByScanCode(0x10)->index, 15);  // Q: index follows the table
  EXPECT_EQ(FindKeyByScanCode(0x11)->index, 20);  // W
  EXPECT_EQ(FindKeyByScanCode(0x2C)->character, 'Z');
}

TEST(KeyTable, ScanCodesOutsideTheTableSelectNothing) {
  std::set<std::uint32_t> known;
  for (const KeyInfo& key : kKeys) known.insert(key.scan_code);
  EXPECT_EQ(known.size(), 24U);
  for (std::uint32_t code = 0; code < 0x200; ++code) {
    EXPECT_EQ(FindKeyByScanCode(code).has_value(), known.count(code) == 1) << code;
  }
  for (std::uint32_t code :
       {0x00U, 0x01U, 0x08U, 0x0FU, 0x16U, 0x1DU, 0x24U, 0x2BU, 0x32U, 0x112U, 0xFFFFFFFFU}) {
    EXPECT_FALSE(FindKeyByScanCode(code)) << code;
  }
}

TEST(KeyTable, NamesMapBackToKeys) {
  EXPECT_EQ(FindKeyByName("Fn-E")->index, 10);
  EXPECT_FALSE(FindKeyByName("Fn-e"));
  EXPECT_FALSE(FindKeyByName("Fn-I"));
  EXPECT_FALSE(FindKeyByName("Fn-AA"));
}

}  // namespace
}  // namespace keylark::core
