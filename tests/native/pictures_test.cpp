// The committed pictures are the generator's output, and the keyboard the
// key bar draws has its dark caps exactly under the 24 labels.
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/key_bar_layout.h"
#include "app/keyboard_picture.h"

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

TEST(Pictures, KeyboardHasDarkCapsUnderEveryLabelOnThePlainBackground) {
  const app::KeyboardPicture keyboard = app::DrawKeyboard();
  ASSERT_EQ(keyboard.width, 318);
  ASSERT_EQ(keyboard.height, 160);
  const app::PictureColor cap = 0x6B6994;         // RGB(107, 105, 148)
  const app::PictureColor background = 0x8486A5;  // RGB(132, 134, 165)
  for (const app::LabelPosition& p : app::kLabelPositions) {
    for (int dy = 0; dy < app::kLabelSize; ++dy) {
      for (int dx = 0; dx < app::kLabelSize; ++dx) {
        ASSERT_EQ(keyboard.At(p.left + dx, p.top + dy), cap) << p.left << "," << p.top;
      }
    }
  }
  EXPECT_EQ(keyboard.At(160, 2), background) << "between the function keys";
  EXPECT_EQ(keyboard.At(5, 140), background);
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
