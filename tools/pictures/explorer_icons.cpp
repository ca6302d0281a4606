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
// The buttons' sizes at 100, 125, 150 and 200 %.
constexpr std::initializer_list<int> kButtonSizes = {24, 30, 36, 48};

Image DrawClosedFolder(int size) {
  Canvas folder = FolderFront(size, 14);
  folder.Fill(2, 6, 12, 1, kFolderLight);
  return folder.image();
}

// The back of the folder, and its front tilted open over it.
Image DrawOpenFolder(int size) {
  Canvas folder = FolderFront(size, 12);
  for (int row = 0; row < 6; ++row) {
    const int step = row / 2;  // the front leans a pixel every two rows
    const int left = 4 - step;
    folder.Fill(left, 8 + row, 12 - step, 1, kFolderLight);
    folder.Fill(left, 8 + row, 1, 1, kFolderEdge);
    folder.Fill(left + 11 - step, 8 + row, 1, 1, kFolderEdge);
  }
  folder.Fill(2, 13, 12, 1, kFolderEdge);
  folder.Fill(4, 7, 12, 1, kFolderEdge);
  return folder.image();
}

// A button's face with its bevel: raised when up, sunken when down.
Canvas DrawButtonFace(int size, bool down) {
  Canvas face(Image(size, size, down ? kPressedFace : kFace), kButtonSize);
  const int last = kButtonSize - 1;
  face.Fill(0, 0, kButtonSize, 1, down ? kDark : kHighlight);
  face.Fill(0, 0, 1, kButtonSize, down ? kDark : kHighlight);
  face.Fill(0, last, kButtonSize, 1, down ? kHighlight : kDark);
  face.Fill(last, 0, 1, kButtonSize, down ? kHighlight : kDark);
  face.Fill(1, 1, kButtonSize - 2, 1, down ? kShadow : kFace);
  face.Fill(1, 1, 1, kButtonSize - 2, down ? kShadow : kFace);
  face.Fill(1, last - 1, kButtonSize - 2, 1, down ? kFace : kShadow);
  face.Fill(last - 1, 1, 1, kButtonSize - 2, down ? kFace : kShadow);
  return face;
}

Image DrawLargeButton(int size, bool down) {
  Canvas button = DrawButtonFace(size, down);
  const int shift = down ? 1 : 0;
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      button.Fill(5 + shift + column * 8, 5 + shift + row * 8, 6, 6, kTile);
    }
  }
  return button.image();
}

Image DrawSmallButton(int size, bool down) {
  Canvas button = DrawButtonFace(size, down);
  const int shift = down ? 1 : 0;
  for (int row = 0; row < 4; ++row) {
    button.Fill(5 + shift, 5 + shift + row * 4, 3, 3, kTile);
    button.Fill(10 + shift, 6 + shift + row * 4, 8, 1, kText);
  }
  return button.image();
}

}  // namespace

std::map<std::string, FileBytes> ExplorerIcons() {
  const auto button = [](Image (*draw)(int, bool), bool down) {
    return EncodeIcoSizes(kButtonSizes, [&](int size) { return draw(size, down); });
  };
  return {
      {"folder-closed.ico", EncodeIcoSizes(kSmallIconSizes, DrawClosedFolder)},
      {"folder-open.ico", EncodeIcoSizes(kSmallIconSizes, DrawOpenFolder)},
      {"view-large-up.ico", button(DrawLargeButton, false)},
      {"view-large-down.ico", button(DrawLargeButton, true)},
      {"view-small-up.ico", button(DrawSmallButton, false)},
      {"view-small-down.ico", button(DrawSmallButton, true)},
  };
}

}  // namespace keylark::pictures
