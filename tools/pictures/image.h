// What the picture generator draws on and how it writes files: an RGB image
// with a transparency mask, encoded as ICO or the parts of a CUR file.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures.h"

namespace keylark::pictures {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

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

// A square picture with no pixel set: everything shows through.
Image Transparent(int size);
// A one-pixel rectangle's edge.
void Frame(Image& image, int left, int top, int width, int height, Rgb colour);

// The yellow of every folder the program draws, and its edge.
inline constexpr Rgb kFolderYellow{255, 216, 64};
inline constexpr Rgb kFolderEdge{160, 120, 0};
// A 16-pixel folder seen from the front: its tab, and a body of the given
// width below it; the pictures that show a folder draw on top of it.
Image FolderFront(int body_width);

void Put16(FileBytes& out, unsigned value);
void Put32(FileBytes& out, std::uint32_t value);
// BITMAPINFOHEADER; icons and cursors give twice the height (colour + mask).
void PutInfoHeader(FileBytes& out, int width, int height, int bits);

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

// A 24-bit icon file with one image per size; unset pixels are transparent.
FileBytes EncodeIco(const std::vector<Image>& images);

}  // namespace keylark::pictures
