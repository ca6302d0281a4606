// What the picture generator draws on and how it writes files: an RGB image
// with a transparency mask, encoded as ICO or the parts of a CUR file.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
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

// Draws a picture designed on a grid of `design_size` pixels into a square
// image of any size: every rectangle is scaled with its edges on whole
// pixels, and a line stays at least one pixel wide, so that each size is
// drawn sharp rather than stretched from another.
class Canvas {
 public:
  Canvas(int size, int design_size)
      : image_(Transparent(size)), scale_(double(size) / design_size) {}
  // On a picture of its own, already drawn at the canvas's size.
  Canvas(Image image, int design_size)
      : image_(std::move(image)), scale_(double(image_.width()) / design_size) {}
  void Fill(double left, double top, double width, double height, Rgb colour);
  void Clear(double left, double top, double width, double height);
  // A rectangle's edge, its lines as wide as one design pixel scaled down to
  // whole pixels.
  void Frame(double left, double top, double width, double height, Rgb colour);
  Image& image() { return image_; }

 private:
  struct Box {
    int left, top, right, bottom;
  };
  Box Scaled(double left, double top, double width, double height) const;
  int Line() const;

  Image image_;
  double scale_;
};
// A one-pixel rectangle's edge.
void Frame(Image& image, int left, int top, int width, int height, Rgb colour);

// The yellow of every folder the program draws, and its edge.
inline constexpr Rgb kFolderYellow{255, 216, 64};
inline constexpr Rgb kFolderEdge{160, 120, 0};
// A folder seen from the front, on a 16-pixel grid drawn at `size`: its
// tab, and a body of the given width below it; the pictures that show a
// folder draw on top of it.
Canvas FolderFront(int size, int body_width);

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

// An icon file with one image per size; unset pixels are transparent. The
// sizes of 100 % (16 and 32 pixels) and any up to `largest_bitmap` are 24-bit
// bitmaps with their masks; the others are PNG pictures, which take a tenth
// of the room but cost a system that reads them an image decoder.
FileBytes EncodeIco(const std::vector<Image>& images, int largest_bitmap = 0);

// The small icon sizes of 100, 125, 150 and 200 %.
inline constexpr std::initializer_list<int> kSmallIconSizes = {16, 20, 24, 32};

// The same picture drawn at each size, in one icon file.
template <typename Draw>
FileBytes EncodeIcoSizes(std::initializer_list<int> sizes, Draw draw, int largest_bitmap = 0) {
  std::vector<Image> images;
  for (const int size : sizes) images.push_back(draw(size));
  return EncodeIco(images, largest_bitmap);
}

// A picture as a PNG file: 8-bit RGBA, compressed.
FileBytes EncodePng(const Image& image);

}  // namespace keylark::pictures
