// PNG pictures for the large images of the icon files: RGBA rows without
// filters, compressed by zlib.
#include <zlib.h>

#include <stdexcept>

#include "image.h"

namespace keylark::pictures {
namespace {

// The rows as one zlib stream, at zlib's best compression.
FileBytes Compress(const FileBytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  FileBytes out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress a picture");
  }
  out.resize(size);
  return out;
}

void PutBigEndian(FileBytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(FileBytes& out, const char* type, const FileBytes& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

FileBytes EncodePng(const Image& image) {
  FileBytes rows;
  for (int y = 0; y < image.height(); ++y) {
    rows.push_back(0);  // no filter
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.At(x, y);
      const bool opaque = image.Opaque(x, y);
      // A clear pixel is clear black, so that clear runs compress alike.
      rows.insert(rows.end(),
                  {opaque ? c.r : std::uint8_t{0}, opaque ? c.g : std::uint8_t{0},
                   opaque ? c.b : std::uint8_t{0}, opaque ? std::uint8_t{255} : std::uint8_t{0}});
    }
  }
  FileBytes header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width()));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  FileBytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", Compress(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace keylark::pictures
