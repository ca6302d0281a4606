#include "pictures.h"

#include <array>
#include <cstdlib>

#include "app/key_bar_layout.h"

namespace keylark::pictures {
namespace {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kBackground{132, 134, 165};
constexpr Rgb kFnKeyCap{107, 105, 148};
constexpr Rgb kOtherKeyCap{150, 152, 184};
constexpr Rgb kHighlight{178, 180, 206};
constexpr Rgb kShadow{78, 77, 112};
constexpr Rgb kFnKeyAccent{0, 168, 200};

class Image {
 public:
  Image(int width, int height, Rgb fill)
      : width_(width),
        height_(height),
        pixels_(static_cast<std::size_t>(width * height), fill),
        opaque_(pixels_.size(), true) {}
  int width() const { return width_; }
  int height() const { return height_; }
  void Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[Index(x, y)] = colour;
    opaque_[Index(x, y)] = true;
  }
  void Clear(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    opaque_[Index(x, y)] = false;
  }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  bool Opaque(int x, int y) const { return opaque_[Index(x, y)]; }
  void Fill(int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) Set(x, y, colour);
    }
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
  std::vector<bool> opaque_;
};

void Put16(FileBytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(FileBytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER; icons and cursors give twice the height (colour + mask).
void PutInfoHeader(FileBytes& out, int width, int height, int bits) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  for (int i = 0; i < 6; ++i) Put32(out, 0);
}

// Rows bottom-up, BGR, each padded to four bytes.
void PutColourRows(FileBytes& out, const Image& image) {
  const int padding = (4 - image.width() * 3 % 4) % 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.At(x, y);
      out.insert(out.end(), {c.b, c.g, c.r});
    }
    out.insert(out.end(), static_cast<std::size_t>(padding), 0);
  }
}

// One bit a pixel, rows bottom-up padded to 32 bits; bit set where bit_of(x, y).
template <typename BitOf>
void PutMaskRows(FileBytes& out, int width, int height, BitOf bit_of) {
  const int row_bytes = (width + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    FileBytes row(static_cast<std::size_t>(row_bytes), 0);
    for (int x = 0; x < width; ++x) {
      if (bit_of(x, y))
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

FileBytes EncodeBmp(const Image& image) {
  FileBytes pixels;
  PutColourRows(pixels, image);
  FileBytes out{'B', 'M'};
  Put32(out, static_cast<std::uint32_t>(14 + 40 + pixels.size()));
  Put32(out, 0);
  Put32(out, 14 + 40);
  PutInfoHeader(out, image.width(), image.height(), 24);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

FileBytes IconImage(const Image& image) {
  FileBytes out;
  PutInfoHeader(out, image.width(), image.height() * 2, 24);
  PutColourRows(out, image);
  PutMaskRows(out, image.width(), image.height(),
              [&](int x, int y) { return !image.Opaque(x, y); });
  return out;
}

FileBytes EncodeIco(const std::vector<Image>& images) {
  FileBytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::vector<FileBytes> bodies;
  for (const Image& image : images) bodies.push_back(IconImage(image));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].width()));
    out.push_back(static_cast<std::uint8_t>(images[i].height()));
    out.push_back(0);  // colour count: true colour
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const FileBytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

// ---- The keyboard ------------------------------------------------------

void DrawCap(Image& image, int left, int top, Rgb cap, bool bevel_only) {
  constexpr int size = app::kLabelSize;
  if (bevel_only) {
    image.Fill(left - 1, top - 1, size + 1, 1, kHighlight);
    image.Fill(left - 1, top - 1, 1, size + 1, kHighlight);
    image.Fill(left, top + size, size + 1, 1, kShadow);
    image.Fill(left + size, top, 1, size + 1, kShadow);
    return;
  }
  image.Fill(left, top, size, size, cap);
}

struct Cap {
  int left;
  int top;
  Rgb colour;
};

// The keys around the 24 that Keylark uses, in the same rows.
std::vector<Cap> OtherCaps() {
  std::vector<Cap> caps;
  const auto row = [&caps](int first_left, int top, int count, int step) {
    for (int i = 0; i < count; ++i) caps.push_back({first_left + i * step, top, kOtherKeyCap});
  };
  row(-13, 45, 1, 26);                       // the key left of 1
  row(169, 45, 6, 26);                       // 7 8 9 0 - =
  row(-6, 71, 1, 26);                        // Tab
  row(178, 71, 6, 26);                       // U I O P [ ]
  row(2, 96, 1, 26);                         // Caps Lock
  row(184, 96, 5, 26);                       // J K L ; '
  row(12, 123, 1, 26);                       // Shift
  row(194, 123, 5, 26);                      // M , . / Shift
  row(-10, 11, 13, 26);                      // function keys
  caps.push_back({-14, 150, kOtherKeyCap});  // Ctrl
  caps.push_back({38, 150, kOtherKeyCap});   // Windows
  caps.push_back({64, 150, kOtherKeyCap});   // Alt
  caps.push_back({12, 150, kFnKeyAccent});   // Fn, the key held with all of them
  return caps;
}

Image DrawKeyboard() {
  Image image(app::kPictureWidth, app::kPictureHeight, kBackground);
  std::vector<Cap> caps = OtherCaps();
  for (const app::LabelPosition& p : app::kLabelPositions)
    caps.push_back({p.left, p.top, kFnKeyCap});
  for (const Cap& cap : caps) DrawCap(image, cap.left, cap.top, cap.colour, true);
  // The space bar, wide and half out of the picture.
  image.Fill(89, 150, 150, 1, kHighlight);
  image.Fill(90, 151, 148, 9, kOtherKeyCap);
  for (const Cap& cap : caps) DrawCap(image, cap.left, cap.top, cap.colour, false);
  return image;
}

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
  return {
      {"keyboard.bmp", EncodeBmp(DrawKeyboard())},
      {"keylark.ico", EncodeIco({DrawIcon(32), DrawIcon(16)})},
      {"hand.cur", EncodeHandCursor()},
  };
}

}  // namespace keylark::pictures
