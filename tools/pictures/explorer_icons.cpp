// Folders in the yellow of the assignment list's folder, and view buttons
// that show what they switch to: four big tiles, or rows of a small tile and
// a line of text. A button's down state is the pressed one: its glyph sits a
// pixel lower and right on a darker face, as a pressed button's face does.
#include "explorer_icons.h"

namespace keylark::pictures {
namespace {

constexpr Rgb kFolderLight{255, 240, 160};
constexpr Rgb kFace{212, 208, 200};
constexpr Rgb kPressedFace{184, 180, 172};
constexpr Rgb kHighlight{255, 255, 255};
constexpr Rgb kShadow{128, 128, 128};
constexpr Rgb kDark{64, 64, 64};
constexpr Rgb kTile{0, 96, 192};
constexpr Rgb kText{32, 32, 32};

constexpr int kButtonSize = 24;

Image DrawClosedFolder() {
  Image image = FolderFront(14);
  image.Fill(2, 6, 12, 1, kFolderLight);
  return image;
}

// The back of the folder, and its front tilted open over it.
Image DrawOpenFolder() {
  Image image = FolderFront(12);
  for (int row = 0; row < 6; ++row) {
    const int left = 4 - row / 2;
    image.Fill(left, 8 + row, 12 - row / 2, 1, kFolderLight);
    image.Set(left, 8 + row, kFolderEdge);
    image.Set(left + 11 - row / 2, 8 + row, kFolderEdge);
  }
  image.Fill(2, 13, 12, 1, kFolderEdge);
  image.Fill(4, 7, 12, 1, kFolderEdge);
  return image;
}

// A button's face with its bevel: raised when up, sunken when down.
Image DrawButtonFace(bool down) {
  Image image(kButtonSize, kButtonSize, down ? kPressedFace : kFace);
  const int last = kButtonSize - 1;
  image.Fill(0, 0, kButtonSize, 1, down ? kDark : kHighlight);
  image.Fill(0, 0, 1, kButtonSize, down ? kDark : kHighlight);
  image.Fill(0, last, kButtonSize, 1, down ? kHighlight : kDark);
  image.Fill(last, 0, 1, kButtonSize, down ? kHighlight : kDark);
  image.Fill(1, 1, kButtonSize - 2, 1, down ? kShadow : kFace);
  image.Fill(1, 1, 1, kButtonSize - 2, down ? kShadow : kFace);
  image.Fill(1, last - 1, kButtonSize - 2, 1, down ? kFace : kShadow);
  image.Fill(last - 1, 1, 1, kButtonSize - 2, down ? kFace : kShadow);
  return image;
}

Image DrawLargeButton(bool down) {
  Image image = DrawButtonFace(down);
  const int shift = down ? 1 : 0;
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      image.Fill(5 + shift + column * 8, 5 + shift + row * 8, 6, 6, kTile);
    }
  }
  return image;
}

Image DrawSmallButton(bool down) {
  Image image = DrawButtonFace(down);
  const int shift = down ? 1 : 0;
  for (int row = 0; row < 4; ++row) {
    image.Fill(5 + shift, 5 + shift + row * 4, 3, 3, kTile);
    image.Fill(10 + shift, 6 + shift + row * 4, 8, 1, kText);
  }
  return image;
}

}  // namespace

std::map<std::string, FileBytes> ExplorerIcons() {
  return {
      {"folder-closed.ico", EncodeIco({DrawClosedFolder()})},
      {"folder-open.ico", EncodeIco({DrawOpenFolder()})},
      {"view-large-up.ico", EncodeIco({DrawLargeButton(false)})},
      {"view-large-down.ico", EncodeIco({DrawLargeButton(true)})},
      {"view-small-up.ico", EncodeIco({DrawSmallButton(false)})},
      {"view-small-down.ico", EncodeIco({DrawSmallButton(true)})},
  };
}

}  // namespace keylark::pictures
