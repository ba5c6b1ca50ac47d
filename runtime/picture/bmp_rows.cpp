#include <bit>
#include <vector>

#include "runtime/picture/bmp_pixels.h"
#include "runtime/picture/frame_allocation.h"

namespace {

using Palette = std::array<std::uint32_t, 256>;

template <int Bits>
void IndexedRow(const std::uint8_t* src, std::uint32_t* dst, int width, const Palette& palette) {
  constexpr int kPerByte = 8 / Bits;
  constexpr unsigned kMask = (1u << Bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - Bits * (x % kPerByte + 1);
    dst[x] = palette[(src[x / kPerByte] >> shift) & kMask];
  }
}

void Rgb24Row(const std::uint8_t* src, std::uint32_t* dst, int width) {
  for (int x = 0; x < width; ++x, src += 3) {
    dst[x] = 0xFF000000u | static_cast<std::uint32_t>(src[2]) << 16 | static_cast<std::uint32_t>(src[1]) << 8 | src[0];
  }
}

std::uint32_t LoadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// 32-bit pixels that are already 0x??RRGGBB.
void Bgrx32Row(const std::uint8_t* src, std::uint32_t* dst, int width, bool withAlpha) {
  const std::uint32_t opaque = withAlpha ? 0 : 0xFF000000u;
  for (int x = 0; x < width; ++x, src += 4) dst[x] = LoadLe32(src) | opaque;
}

// One channel of bit-field pixels scaled to 8 bits. Channels wider than 12
// bits lose their lowest bits first, which keeps the table small.
class ChannelScale {
 public:
  ChannelScale(std::uint32_t mask, std::uint8_t absentValue) {
    if (mask == 0) {
      table_.assign(1, absentValue);
      return;
    }
    shift_ = std::countr_zero(mask);
    int bits = std::popcount(mask);
    if (bits > 12) {
      shift_ += bits - 12;
      bits = 12;
    }
    mask_ = mask;
    const std::uint32_t max = (1u << bits) - 1;
    table_.resize(max + 1);
    for (std::uint32_t v = 0; v <= max; ++v) table_[v] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }

  std::uint32_t operator()(std::uint32_t pixel) const { return table_[(pixel & mask_) >> shift_]; }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::vector<std::uint8_t> table_;
};

struct BitFieldScales {
  ChannelScale red, green, blue, alpha;
};

template <int Bytes>
void BitFieldsRow(const std::uint8_t* src, std::uint32_t* dst, int width, const BitFieldScales& scales) {
  for (int x = 0; x < width; ++x, src += Bytes) {
    const std::uint32_t pixel = Bytes == 2 ? static_cast<std::uint32_t>(src[0] | src[1] << 8) : LoadLe32(src);
    dst[x] = scales.alpha(pixel) << 24 | scales.red(pixel) << 16 | scales.green(pixel) << 8 | scales.blue(pixel);
  }
}

bool IsBgrx32(const BmpHeader& header) {
  return header.bitCount == 32 && header.masks[0] == 0x00FF0000 && header.masks[1] == 0x0000FF00 &&
         header.masks[2] == 0x000000FF && (header.masks[3] == 0 || header.masks[3] == 0xFF000000);
}

}  // namespace

bool DecodeBmpRows(ByteSpan bytes, const BmpHeader& header, PictureFrame& frame) {
  const int width = header.width;
  const int height = header.height;
  const std::size_t stride = BmpRowStride(width, header.bitCount);
  const std::size_t lastRow = (static_cast<std::size_t>(width) * header.bitCount + 7) / 8;
  auto before = CheckedMultiply(stride, static_cast<std::size_t>(height - 1));
  auto needed = before ? CheckedAdd(*before, lastRow) : std::nullopt;
  if (!needed || header.pixelOffset > bytes.size() || *needed > bytes.size() - header.pixelOffset) return false;

  const std::uint8_t* src = bytes.data() + header.pixelOffset;
  std::optional<BitFieldScales> scales;
  if (header.encoding == BmpEncoding::BitFields && !IsBgrx32(header)) {
    scales = BitFieldScales{{header.masks[0], 0}, {header.masks[1], 0}, {header.masks[2], 0}, {header.masks[3], 255}};
  }
  for (int y = 0; y < height; ++y, src += stride) {
    std::uint32_t* dst = frame.pixels.data() + static_cast<std::size_t>(header.topDown ? y : height - 1 - y) * width;
    switch (header.encoding) {
      case BmpEncoding::Indexed:
        switch (header.bitCount) {
          case 1: IndexedRow<1>(src, dst, width, header.palette); break;
          case 2: IndexedRow<2>(src, dst, width, header.palette); break;
          case 4: IndexedRow<4>(src, dst, width, header.palette); break;
          default: IndexedRow<8>(src, dst, width, header.palette); break;
        }
        break;
      case BmpEncoding::Rgb24:
        Rgb24Row(src, dst, width);
        break;
      case BmpEncoding::BitFields:
        if (!scales) {
          Bgrx32Row(src, dst, width, header.masks[3] != 0);
        } else if (header.bitCount == 16) {
          BitFieldsRow<2>(src, dst, width, *scales);
        } else {
          BitFieldsRow<4>(src, dst, width, *scales);
        }
        break;
      default:
        return false;
    }
  }
  return true;
}
