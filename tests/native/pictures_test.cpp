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

TEST(Pictures, CommittedFilesMatchTheGeneratorAndTheKeyboardHasDarkCapsUnderEveryLabel) {
  for (const auto& [name, bytes] : GenerateAll()) {
    std::ifstream in(std::string(KEYLARK_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    EXPECT_TRUE(FileBytes(std::istreambuf_iterator<char>(in), {}) == bytes)
        << name << " differs from the generator's output: run make_pictures resources";
  }
  const FileBytes cursor = GenerateAll().at("hand.cur");
  EXPECT_EQ(cursor[2], 2) << "a cursor file";
  EXPECT_EQ(cursor[10] | (cursor[11] << 8) | (cursor[12] << 16) | (cursor[13] << 24), 6)
      << "hot spot at (6, 0)";

  const app::KeyboardPicture keyboard = app::DrawKeyboard();
  ASSERT_EQ(keyboard.pixels.size(), 318U * 160U);
  for (const app::LabelPosition& p : app::kLabelPositions) {
    for (int dy = 0; dy < app::kLabelSize; ++dy) {
      for (int dx = 0; dx < app::kLabelSize; ++dx)
        ASSERT_EQ(keyboard.At(p.left + dx, p.top + dy), 0x6B6994U) << p.left << "," << p.top;
    }
  }
  EXPECT_EQ(keyboard.At(160, 2), 0x8486A5U) << "the plain background between the function keys";
}

}  // namespace
}  // namespace keylark::pictures
