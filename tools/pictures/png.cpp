// PNG pictures for the large images of the icon files: RGBA rows without
// filters, compressed with the fixed codes of the deflate format. The
// pictures are flat colours, so repeating the pixel to the left or the row
// above finds nearly every match: no search is needed.
#include <array>

#include "image.h"

namespace keylark::pictures {
namespace {

// Writes bits from the lowest, as deflate packs them.
class BitWriter {
 public:
  explicit BitWriter(FileBytes& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1U);
  }
  // Huffman codes go from their highest bit.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1U);
  }
  void Flush() {
    if (used_ > 0) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void Bit(std::uint32_t bit) {
    current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
    if (++used_ == 8) Flush();
  }
  FileBytes& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// The fixed code of a literal, length or end symbol (0 to 287).
void PutSymbol(BitWriter& bits, unsigned symbol) {
  if (symbol < 144) return bits.Code(0x30 + symbol, 8);
  if (symbol < 256) return bits.Code(0x190 + symbol - 144, 9);
  if (symbol < 280) return bits.Code(symbol - 256, 7);
  bits.Code(0xC0 + symbol - 280, 8);
}

constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& bits, unsigned length, unsigned distance) {
  std::size_t i = kLengthBase.size() - 1;
  while (kLengthBase[i] > length) --i;
  PutSymbol(bits, 257 + static_cast<unsigned>(i));
  bits.Bits(length - kLengthBase[i], kLengthExtra[i]);
  std::size_t d = kDistanceBase.size() - 1;
  while (kDistanceBase[d] > distance) --d;
  bits.Code(static_cast<std::uint32_t>(d), 5);
  bits.Bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

// A zlib stream of one block of fixed codes.
FileBytes Compress(const FileBytes& data, std::size_t row_bytes) {
  FileBytes out = {0x78, 0x01};
  BitWriter bits(out);
  bits.Bits(1, 1);  // the last block
  bits.Bits(1, 2);  // fixed codes
  std::size_t at = 0;
  while (at < data.size()) {
    unsigned best_length = 0;
    std::size_t best_distance = 0;
    for (const std::size_t distance : {std::size_t{4}, row_bytes}) {
      if (distance > at) continue;
      unsigned length = 0;
      while (length < 258 && at + length < data.size() &&
             data[at + length] == data[at + length - distance]) {
        ++length;
      }
      if (length > best_length) {
        best_length = length;
        best_distance = distance;
      }
    }
    if (best_length >= 3) {
      PutMatch(bits, best_length, static_cast<unsigned>(best_distance));
      at += best_length;
    } else {
      PutSymbol(bits, data[at++]);
    }
  }
  PutSymbol(bits, 256);
  bits.Flush();
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(adler >> shift));
  return out;
}

std::uint32_t Crc32(const FileBytes& bytes, std::size_t from) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    crc ^= bytes[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return ~crc;
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
  PutBigEndian(out, Crc32(out, start));
}

}  // namespace

FileBytes EncodePng(const Image& image) {
  FileBytes rows;
  const std::size_t row_bytes = 1 + static_cast<std::size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) {
    rows.push_back(0);  // no filter
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.At(x, y);
      const bool opaque = image.Opaque(x, y);
      // A clear pixel is clear black, so that clear runs repeat.
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
  PutChunk(out, "IDAT", Compress(rows, row_bytes));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace keylark::pictures
