// The committed pictures are the generator's output, and the keyboard has its
// dark caps exactly under the 24 labels.
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/key_bar_layout.h"

namespace keylark::pictures {
namespace {

FileBytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return FileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Pictures, CommittedFilesMatchTheGenerator) {
  for (const auto& [name, bytes] : GenerateAll()) {
    EXPECT_TRUE(ReadFile(std::string(KEYLARK_SOURCE_DIR) + "/resources/" + name) == bytes)
        << name << " differs from the generator's output: run make_pictures resources";
  }
}

struct Pixel {
  int r, g, b;
  bool operator==(const Pixel&) const = default;
};

Pixel BmpPixel(const FileBytes& bmp, int x, int y) {
  const int width = app::kPictureWidth;
  const int stride = (width * 3 + 3) / 4 * 4;
  const std::size_t at =
      54 + static_cast<std::size_t>((app::kPictureHeight - 1 - y) * stride + x * 3);
  return {bmp[at + 2], bmp[at + 1], bmp[at]};
}

TEST(Pictures, KeyboardHasDarkCapsUnderEveryLabelOnThePlainBackground) {
  const FileBytes bmp = GenerateAll().at("keyboard.bmp");
  ASSERT_EQ(bmp.size(), 54U + 956U * 160U);
  EXPECT_EQ(bmp[28], 24) << "24 bits per pixel";
  const Pixel cap{107, 105, 148};
  for (const app::LabelPosition& p : app::kLabelPositions) {
    for (int dy = 0; dy < app::kLabelSize; ++dy) {
      for (int dx = 0; dx < app::kLabelSize; ++dx) {
        ASSERT_EQ(BmpPixel(bmp, p.left + dx, p.top + dy), cap) << p.left << "," << p.top;
      }
    }
  }
  EXPECT_EQ(BmpPixel(bmp, 160, 2), (Pixel{132, 134, 165})) << "between the function keys";
  EXPECT_EQ(BmpPixel(bmp, 5, 140), (Pixel{132, 134, 165}));
}

TEST(Pictures, CursorHotSpotIsTheFingertip) {
  const FileBytes cursor = GenerateAll().at("hand.cur");
  EXPECT_EQ(cursor[2], 2) << "a cursor file";
  EXPECT_EQ(cursor[6], 32);
  EXPECT_EQ(cursor[10] | (cursor[11] << 8), 6);
  EXPECT_EQ(cursor[12] | (cursor[13] << 8), 0);
}

}  // namespace
}  // namespace keylark::pictures
