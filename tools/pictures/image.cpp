#include "image.h"

#include <algorithm>
#include <cmath>

namespace keylark::pictures {
namespace {

// The sizes of 100 % (16 and 32 pixels) are bitmaps, which every system
// reads; the sizes only a scaling system asks for are PNG pictures, a
// fraction of the size in the program file, unless the caller keeps them
// bitmaps too.
bool StoredAsBitmap(const Image& image, int largest_bitmap) {
  return image.width() == 16 || image.width() == 32 || image.width() <= largest_bitmap;
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

FileBytes IconImage(const Image& image) {
  FileBytes out;
  PutInfoHeader(out, image.width(), image.height() * 2, 24);
  PutColourRows(out, image);
  PutMaskRows(out, image.width(), image.height(),
              [&](int x, int y) { return !image.Opaque(x, y); });
  return out;
}

}  // namespace

Image Transparent(int size) {
  Image image(size, size, Rgb{255, 255, 255});
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.Clear(x, y);
  }
  return image;
}

void Frame(Image& image, int left, int top, int width, int height, Rgb colour) {
  image.Fill(left, top, width, 1, colour);
  image.Fill(left, top + height - 1, width, 1, colour);
  image.Fill(left, top, 1, height, colour);
  image.Fill(left + width - 1, top, 1, height, colour);
}

Canvas::Box Canvas::Scaled(double left, double top, double width, double height) const {
  const auto at = [&](double design) { return static_cast<int>(std::lround(design * scale_)); };
  Box box{at(left), at(top), at(left + width), at(top + height)};
  // Nothing drawn is thinner than a pixel.
  if (box.right <= box.left) box.right = box.left + 1;
  if (box.bottom <= box.top) box.bottom = box.top + 1;
  return box;
}

int Canvas::Line() const { return std::max(1, static_cast<int>(scale_)); }

void Canvas::Fill(double left, double top, double width, double height, Rgb colour) {
  const Box box = Scaled(left, top, width, height);
  image_.Fill(box.left, box.top, box.right - box.left, box.bottom - box.top, colour);
}

void Canvas::Clear(double left, double top, double width, double height) {
  const Box box = Scaled(left, top, width, height);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) image_.Clear(x, y);
  }
}

void Canvas::Frame(double left, double top, double width, double height, Rgb colour) {
  const Box box = Scaled(left, top, width, height);
  const int line = Line();
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  image_.Fill(box.left, box.top, w, line, colour);
  image_.Fill(box.left, box.bottom - line, w, line, colour);
  image_.Fill(box.left, box.top, line, h, colour);
  image_.Fill(box.right - line, box.top, line, h, colour);
}

Canvas FolderFront(int size, int body_width) {
  Canvas folder(size, 16);
  folder.Fill(1, 3, 6, 2, kFolderYellow);
  folder.Frame(1, 3, 6, 2, kFolderEdge);
  folder.Fill(1, 5, body_width, 9, kFolderYellow);
  folder.Frame(1, 5, body_width, 9, kFolderEdge);
  return folder;
}

void Put16(FileBytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(FileBytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutInfoHeader(FileBytes& out, int width, int height, int bits) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  for (int i = 0; i < 6; ++i) Put32(out, 0);
}

FileBytes EncodeIco(const std::vector<Image>& images, int largest_bitmap) {
  FileBytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::vector<FileBytes> bodies;
  bodies.reserve(images.size());
  for (const Image& image : images) {
    bodies.push_back(StoredAsBitmap(image, largest_bitmap) ? IconImage(image) : EncodePng(image));
  }
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    // 256 is written as 0.
    out.push_back(static_cast<std::uint8_t>(images[i].width() & 0xFF));
    out.push_back(static_cast<std::uint8_t>(images[i].height() & 0xFF));
    out.push_back(0);  // colour count: true colour
    out.push_back(0);
    Put16(out, 1);                                                    // planes
    Put16(out, StoredAsBitmap(images[i], largest_bitmap) ? 24 : 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const FileBytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace keylark::pictures
