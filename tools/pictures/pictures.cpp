#include "pictures.h"

#include <array>
#include <cstdlib>

#include "explorer_icons.h"
#include "image.h"
#include "row_icons.h"

namespace keylark::pictures {
namespace {

constexpr Rgb kFnKeyCap{107, 105, 148};
constexpr Rgb kOtherKeyCap{150, 152, 184};
constexpr Rgb kShadow{78, 77, 112};
// The large icon at 150 %.
constexpr int kStartIconBitmaps = 48;

// ---- The icon: a key cap with a rising arrow -----------------------------

bool NearSegment(double px, double py, double ax, double ay, double bx, double by, double r) {
  const double dx = bx - ax;
  const double dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  const double ex = ax + t * dx - px;
  const double ey = ay + t * dy - py;
  return ex * ex + ey * ey <= r * r;
}

Image DrawIcon(int size) {
  Image icon(size, size, Rgb{0, 0, 0});
  const double s = size / 32.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double px = (x + 0.5) / s;
      const double py = (y + 0.5) / s;
      // Rounded cap from 2 to 30 with a corner radius of 5.
      const double cx = px < 7 ? 7 - px : (px > 25 ? px - 25 : 0);
      const double cy = py < 7 ? 7 - py : (py > 25 ? py - 25 : 0);
      const double edge = cx * cx + cy * cy;
      if (px < 2 || px > 30 || py < 2 || py > 30 || edge > 25) {
        icon.Clear(x, y);
        continue;
      }
      Rgb colour =
          edge > 12 || px < 3.5 || px > 28.5 || py < 3.5 || py > 28.5 ? kShadow : kFnKeyCap;
      if (py < 6 && colour == kFnKeyCap) colour = kOtherKeyCap;
      const bool arrow = NearSegment(px, py, 10, 23, 22, 11, 2.2) ||
                         NearSegment(px, py, 22, 11, 14, 11, 2.0) ||
                         NearSegment(px, py, 22, 11, 22, 19, 2.0);
      icon.Set(x, y, arrow ? Rgb{0, 255, 255} : colour);
    }
  }
  return icon;
}

// ---- The cursor: a hand pointing up, the fingertip at (6, 0) ---------------

constexpr std::array<const char*, 20> kHandRows = {
    "     XX",           "    X..X",          "    X..X",          "    X..X",
    "    X..X",          "    X..XXX",        "    X..X..XXX",     "    X..X..X..XX",
    " XX X..X..X..X.X",  "X..XX........X..X", "X...X...........X", " X..............X",
    "  X.............X", "  X............X",  "   X...........X",  "   X..........X",
    "    X.........X",   "    X........X",    "     X.......X",    "     XXXXXXXXX",
};

char HandPixel(int x, int y) {
  if (y >= static_cast<int>(kHandRows.size())) return ' ';
  const char* row = kHandRows[static_cast<std::size_t>(y)];
  for (int i = 0; i < x; ++i) {
    if (row[i] == '\0') return ' ';
  }
  return row[x] == '\0' ? ' ' : row[x];
}

FileBytes EncodeHandCursor() {
  constexpr int size = 32;
  constexpr unsigned hot_x = 6;
  constexpr unsigned hot_y = 0;
  FileBytes body;
  PutInfoHeader(body, size, size * 2, 1);
  Put32(body, 0x00000000);  // palette: black
  Put32(body, 0x00FFFFFF);  //          white
  PutMaskRows(body, size, size, [](int x, int y) { return HandPixel(x, y) == '.'; });  // colour
  PutMaskRows(body, size, size, [](int x, int y) { return HandPixel(x, y) == ' '; });  // mask
  FileBytes out;
  Put16(out, 0);
  Put16(out, 2);  // cursor
  Put16(out, 1);
  out.insert(out.end(), {size, size, 2, 0});
  Put16(out, hot_x);
  Put16(out, hot_y);
  Put32(out, static_cast<std::uint32_t>(body.size()));
  Put32(out, 6 + 16);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace

std::map<std::string, FileBytes> GenerateAll() {
  std::map<std::string, FileBytes> files = {
      // The key bar's caption and task-switcher icons are read as it starts:
      // up to 150 % they are bitmaps, so the start loads no image decoder.
      {"keylark.ico",
       EncodeIcoSizes({32, 16, 20, 24, 40, 48, 64, 96, 128, 256}, DrawIcon, kStartIconBitmaps)},
      {"hand.cur", EncodeHandCursor()},
  };
  files.merge(RowIcons());
  files.merge(ExplorerIcons());
  return files;
}

}  // namespace keylark::pictures
