#pragma once
// The headers of a BMP picture: file header, the DIB header in any of its
// sizes, bit-field masks and palette, reduced to what the pixel decoders need.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/picture/byte_reader.h"

// A .bmp file starts with the 14-byte file header. A BMP inside an icon or
// cursor has none: its DIB header gives twice the picture's height, and a
// 1-bit AND mask follows its pixels.
enum class BmpSource { File, Icon };

enum class BmpEncoding { Indexed, Rgb24, BitFields, Rle8, Rle4 };

struct BmpHeader {
  int width = 0;
  int height = 0;  // of the picture: half the stored height in an icon
  bool topDown = false;
  int bitCount = 0;
  BmpEncoding encoding = BmpEncoding::Indexed;
  // Red, green, blue and alpha masks of BitFields pixels; alpha 0 is opaque.
  std::array<std::uint32_t, 4> masks{};
  // 0xFFRRGGBB; the entries that the file leaves out are opaque black, so
  // that every 8-bit index finds a colour.
  std::array<std::uint32_t, 256> palette{};
  std::size_t pixelOffset = 0;  // in the bytes given to ReadBmpHeader
};

// Nullopt for a header that is not a BMP we decode or whose size is beyond
// the limits.
std::optional<BmpHeader> ReadBmpHeader(ByteSpan bytes, BmpSource source);

// Stored rows are padded to whole 32-bit words.
std::size_t BmpRowStride(int width, int bitCount);
