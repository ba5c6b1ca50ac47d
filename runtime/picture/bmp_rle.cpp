#include <algorithm>

#include "runtime/picture/bmp_pixels.h"

void DecodeBmpRle(ByteSpan bytes, const BmpHeader& header, PictureFrame& frame) {
  const bool rle4 = header.encoding == BmpEncoding::Rle4;
  const int width = header.width;
  const int height = header.height;
  const auto& palette = header.palette;
  ByteReader reader(bytes.subspan(std::min(header.pixelOffset, bytes.size())));
  // Rows are stored bottom-up; x stops at the width, where writes are clipped.
  int x = 0;
  int y = 0;
  auto row = [&] { return frame.pixels.data() + static_cast<std::size_t>(height - 1 - y) * width; };

  // Every step consumes at least two bytes, so the loop ends with the data.
  while (y < height) {
    auto pair = reader.Block<2>();
    if (!pair) return;
    const int count = (*pair)[0];
    const std::uint8_t value = (*pair)[1];
    if (count > 0) {
      std::uint32_t* dst = row();
      const int end = std::min(x + count, width);
      for (int i = 0; x + i < end; ++i) dst[x + i] = palette[rle4 ? (i & 1 ? value & 15 : value >> 4) : value];
      x = end;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return;
      case 2: {  // move right and up
        auto delta = reader.Block<2>();
        if (!delta) return;
        x = std::min(x + (*delta)[0], width);
        y += (*delta)[1];
        break;
      }
      default: {  // `value` literal pixels, padded to a 16-bit boundary
        const std::size_t dataBytes = rle4 ? (value + 1) / 2 : value;
        ByteSpan literal = reader.BytesUpTo(dataBytes + (dataBytes & 1));
        const int available = static_cast<int>(std::min<std::size_t>(value, rle4 ? literal.size() * 2 : literal.size()));
        std::uint32_t* dst = row();
        const int end = std::min(x + available, width);
        for (int i = 0; x + i < end; ++i) {
          dst[x + i] = palette[rle4 ? (i & 1 ? literal[i / 2] & 15 : literal[i / 2] >> 4) : literal[i]];
        }
        x = std::min(x + value, width);
        if (available < value) return;
        break;
      }
    }
  }
}
