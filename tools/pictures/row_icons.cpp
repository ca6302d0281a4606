// The three pictures of the assignment list's rows: an application window
// (a key with a direct assignment), a folder with a plus (a popup list), and
// a document hanging from a tree branch (an item of a popup list). Each is
// drawn at the small icon size of every usual scale.
#include "row_icons.h"

namespace keylark::pictures {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kPlusBlue{0, 0, 255};

// A window: black frame, cyan title bar with a black edge below, white
// inside; designed on a grid of 32.
Image DrawApplicationWindow(int size) {
  Canvas window(size, 32);
  window.Fill(2, 4, 28, 24, kWhite);
  window.Fill(2, 4, 28, 6, kCyan);
  window.Fill(2, 10, 28, 1, kBlack);
  window.Frame(2, 4, 28, 24, kBlack);
  window.Fill(25, 6, 3, 3, kBlack);  // the close box
  return window.image();
}

// A yellow folder with its tab, and a blue plus over its lower right.
Image DrawFolderWithPlus(int size) {
  Canvas folder = FolderFront(size, 13);
  folder.Fill(9, 10, 7, 3, kPlusBlue);
  folder.Fill(11, 8, 3, 7, kPlusBlue);
  return folder.image();
}

// A dotted branch down and to the right, and a page with a folded corner.
Image DrawTreeItem(int size) {
  Canvas item(size, 16);
  for (int y = 0; y <= 8; y += 2) item.Fill(2, y, 1, 1, kGrey);
  for (int x = 4; x <= 6; x += 2) item.Fill(x, 8, 1, 1, kGrey);
  item.Fill(7, 2, 8, 13, kWhite);
  item.Frame(7, 2, 8, 13, kBlack);
  item.Fill(12, 2, 3, 3, kWhite);  // the fold
  item.Clear(13, 2, 2, 1);
  item.Clear(14, 3, 1, 1);
  item.Fill(12, 2, 1, 3, kBlack);
  item.Fill(13, 3, 1, 2, kBlack);
  item.Fill(14, 4, 1, 1, kBlack);
  for (int y = 6; y <= 12; y += 2) item.Fill(9, y, 4, 1, kGrey);  // lines of text
  return item.image();
}

}  // namespace

std::map<std::string, FileBytes> RowIcons() {
  return {
      {"row-application.ico", EncodeIcoSizes(kSmallIconSizes, DrawApplicationWindow)},
      {"row-popup-list.ico", EncodeIcoSizes(kSmallIconSizes, DrawFolderWithPlus)},
      {"row-list-item.ico", EncodeIcoSizes(kSmallIconSizes, DrawTreeItem)},
  };
}

}  // namespace keylark::pictures
