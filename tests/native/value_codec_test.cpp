#include "store/value_codec.h"

#include <gtest/gtest.h>

namespace keylark::store {
namespace {

Bytes Of(const char* text, std::size_t size) { return Bytes(text, text + size); }

TEST(ValueCodec, TextsAndFlagsCarryOneNul) {
  EXPECT_EQ(EncodeText("abc"), Of("abc", 4));
  EXPECT_EQ(EncodeText(""), Of("", 1));
  EXPECT_EQ(EncodeFlag(true), Of("1", 2));
  EXPECT_EQ(EncodeFlag(false), Of("0", 2));
  EXPECT_EQ(EmptyPlaceholder(), Of("\0\0\0", 3));
}

TEST(ValueCodec, ReadingCutsAtTheFirstNulAndNeverPastTheData) {
  EXPECT_EQ(DecodeText(Of("abc\0def", 7).data(), 7), "abc");
  EXPECT_EQ(DecodeText(Of("\0\0\0", 3).data(), 3), "");
  const Bytes no_nul = Of("12345", 5);
  EXPECT_EQ(DecodeText(no_nul.data(), no_nul.size()), "12345");
  EXPECT_EQ(DecodeText(nullptr, 0), "");
}

TEST(ValueCodec, OnlyExactlyOneIsOn) {
  EXPECT_TRUE(IsFlagOn("1"));
  for (const char* off : {"0", "", "1 ", " 1", "01", "2", "true", "Y"}) {
    EXPECT_FALSE(IsFlagOn(off)) << '"' << off << '"';
  }
}

TEST(ValueCodec, NumericValueTakesTheLeadingNumber) {
  EXPECT_EQ(NumericValue("2880"), 2880);
  EXPECT_EQ(NumericValue("-15"), -15);
  EXPECT_EQ(NumericValue("  42abc"), 42);
  EXPECT_EQ(NumericValue("1 2 3"), 123);
  EXPECT_EQ(NumericValue("12.5"), 12.5);
  EXPECT_EQ(NumericValue("1E3"), 1000);
  EXPECT_EQ(NumericValue("&H1F"), 31);
  EXPECT_EQ(NumericValue(""), 0);
  EXPECT_EQ(NumericValue("abc"), 0);
  EXPECT_EQ(NumericValue("-"), 0);
  EXPECT_EQ(NumericValue("1e999999"), 0);  // not finite: no number
}

TEST(ValueCodec, PositionsAreFiveBytes) {
  EXPECT_EQ(EncodePosition(2118), Of("2118\0", 5));
  EXPECT_EQ(EncodePosition(0), Of("0\0\0\0\0", 5));
  EXPECT_EQ(EncodePosition(-15), Of("-15\0\0", 5));
  EXPECT_EQ(EncodePosition(10005), Of("10005", 5));   // no room for a NUL
  EXPECT_EQ(EncodePosition(123456), Of("12345", 5));  // cut after five characters
  EXPECT_EQ(FormatPosition(1234.5), "1234.5");
}

TEST(ValueCodec, PositionsReadBackAsNumbers) {
  for (double twips : {0.0, 15.0, 2118.0, 9999.0, 10005.0, 99990.0, -15.0, -300.0}) {
    const Bytes data = EncodePosition(twips);
    EXPECT_EQ(DecodePosition(data.data(), data.size()), twips) << twips;
  }
  const Bytes six = Of("123456", 6);
  EXPECT_EQ(DecodePosition(six.data(), six.size()), 123456);
}

}  // namespace
}  // namespace keylark::store
