#include "runtime/picture/bmp_decoder.h"

#include <algorithm>

#include "runtime/picture/bmp_pixels.h"
#include "runtime/picture/frame_allocation.h"

namespace {

bool HasAnyAlpha(const PictureFrame& frame) {
  return std::ranges::any_of(frame.pixels, [](std::uint32_t pixel) { return (pixel >> 24) != 0; });
}

void MakeOpaque(PictureFrame& frame) {
  for (std::uint32_t& pixel : frame.pixels) pixel |= 0xFF000000u;
}

// The 1-bit AND mask after an icon's pixels, rows in the pixels' order; a set
// bit is a transparent pixel. Rows that the data cuts off stay opaque.
void ApplyAndMask(ByteSpan bytes, const BmpHeader& header, PictureFrame& frame) {
  const std::size_t pixelBytes = BmpRowStride(header.width, header.bitCount) * header.height;
  const std::size_t stride = BmpRowStride(header.width, 1);
  if (header.pixelOffset > bytes.size() || pixelBytes > bytes.size() - header.pixelOffset) return;
  ByteReader reader(bytes.subspan(header.pixelOffset + pixelBytes));
  for (int y = 0; y < header.height; ++y) {
    auto row = reader.Bytes(stride);
    if (!row) return;
    std::uint32_t* dst =
        frame.pixels.data() + static_cast<std::size_t>(header.topDown ? y : header.height - 1 - y) * header.width;
    for (int x = 0; x < header.width; ++x) {
      if ((*row)[x / 8] & (0x80 >> (x % 8))) dst[x] &= 0x00FFFFFFu;
    }
  }
}

}  // namespace

std::optional<PictureFrame> DecodeBmp(ByteSpan bytes, BmpSource source) {
  auto header = ReadBmpHeader(bytes, source);
  if (!header) return std::nullopt;
  auto frame = NewPictureFrame(header->width, header->height);
  if (!frame) return std::nullopt;
  if (header->encoding == BmpEncoding::Rle8 || header->encoding == BmpEncoding::Rle4) {
    DecodeBmpRle(bytes, *header, *frame);
    return frame;
  }
  if (!DecodeBmpRows(bytes, *header, *frame)) return std::nullopt;

  // An alpha channel that is zero everywhere was never meant as one.
  const bool hasAlphaChannel = header->encoding == BmpEncoding::BitFields && header->masks[3] != 0;
  if (hasAlphaChannel && HasAnyAlpha(*frame)) return frame;
  if (hasAlphaChannel) MakeOpaque(*frame);
  if (source == BmpSource::Icon) ApplyAndMask(bytes, *header, *frame);
  return frame;
}
