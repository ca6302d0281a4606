#include "store/value_codec.h"

#include <gtest/gtest.h>

namespace keylark::store {
namespace {

Bytes Of(const char* text, std::size_t size) { return Bytes(text, text + size); }

TEST(ValueCodec, TextsCarryOneNulAndAreReadUpToTheFirstAndOnlyExactlyOneIsOn) {
  EXPECT_EQ(EncodeText(""), Of("", 1));
  EXPECT_EQ(DecodeText(Of("abc\0def", 7).data(), 7), "abc");
  EXPECT_TRUE(IsFlagOn("1"));
  for (const char* off : {"0", "", "1 ", " 1", "01", "2", "true", "Y"})
    EXPECT_FALSE(IsFlagOn(off)) << '"' << off << '"';
}

// Positions, switch flags and list counts are numbers in text that users
// and tools edit by hand.
TEST(ValueCodec, NumericValueTakesTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"2880", 2880}, {"-15", -15},   {"  42abc", 42}, {"1 2 3", 123}, {"\t300", 300},
      {"3\t0", 30},   {"12.5", 12.5}, {"1E3", 1000},   {"&H1F", 31},   {"&h1f", 31},
      {"&HfF", 255},  {"&O17", 15},   {"&o17", 15},    {"&O78", 7},    {"&O8", 0},
      {"&HG", 0},     {"", 0},        {"abc", 0},      {"-", 0},       {"1e999999", 0},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(NumericValue(text), value) << '"' << text << '"';
}

// Five bytes: a NUL when there is room, else cut after five characters.
TEST(ValueCodec, PositionsAreFiveBytesAndReadBackAsNumbers) {
  EXPECT_EQ(EncodePosition(-15), Of("-15\0\0", 5));
  EXPECT_EQ(EncodePosition(10005), Of("10005", 5));
  EXPECT_EQ(EncodePosition(123456), Of("12345", 5));
  EXPECT_EQ(FormatPosition(1234.5), "1234.5");
  for (double twips : {0.0, 2118.0, 10005.0, 99990.0, -300.0}) {
    const Bytes data = EncodePosition(twips);
    EXPECT_EQ(DecodePosition(data.data(), data.size()), twips) << twips;
  }
  EXPECT_EQ(DecodePosition(Of("123456", 6).data(), 6), 123456);
}

}  // namespace
}  // namespace keylark::store
