// The three pictures of the assignment list's rows: an application window
// (a key with a direct assignment), a folder with a plus (a popup list), and
// a document hanging from a tree branch (an item of a popup list).
#include "row_icons.h"

namespace keylark::pictures {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kPlusBlue{0, 0, 255};

// A window: black frame, cyan title bar with a black edge below, white inside.
Image DrawApplicationWindow() {
  Image image = Transparent(32);
  image.Fill(2, 4, 28, 24, kWhite);
  image.Fill(2, 4, 28, 6, kCyan);
  image.Fill(2, 10, 28, 1, kBlack);
  Frame(image, 2, 4, 28, 24, kBlack);
  image.Fill(25, 6, 3, 3, kBlack);  // the close box
  return image;
}

// A yellow folder with its tab, and a blue plus over its lower right.
Image DrawFolderWithPlus() {
  Image image = FolderFront(13);
  image.Fill(9, 10, 7, 3, kPlusBlue);
  image.Fill(11, 8, 3, 7, kPlusBlue);
  return image;
}

// A dotted branch down and to the right, and a page with a folded corner.
Image DrawTreeItem() {
  Image image = Transparent(16);
  for (int y = 0; y <= 8; y += 2) image.Set(2, y, kGrey);
  for (int x = 4; x <= 6; x += 2) image.Set(x, 8, kGrey);
  image.Fill(7, 2, 8, 13, kWhite);
  Frame(image, 7, 2, 8, 13, kBlack);
  image.Fill(12, 2, 3, 3, kWhite);  // the fold
  image.Clear(14, 2);
  image.Clear(13, 2);
  image.Clear(14, 3);
  image.Set(12, 2, kBlack);
  image.Set(12, 3, kBlack);
  image.Set(12, 4, kBlack);
  image.Set(13, 4, kBlack);
  image.Set(13, 3, kBlack);
  image.Set(14, 4, kBlack);
  for (int y = 6; y <= 12; y += 2) image.Fill(9, y, 4, 1, kGrey);  // lines of text
  return image;
}

}  // namespace

std::map<std::string, FileBytes> RowIcons() {
  return {
      {"row-application.ico", EncodeIco({DrawApplicationWindow()})},
      {"row-popup-list.ico", EncodeIco({DrawFolderWithPlus()})},
      {"row-list-item.ico", EncodeIco({DrawTreeItem()})},
  };
}

}  // namespace keylark::pictures
