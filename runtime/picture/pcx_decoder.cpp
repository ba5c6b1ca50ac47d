#include "runtime/picture/pcx_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "runtime/picture/frame_allocation.h"

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // 0x0C, then red, green, blue per entry
constexpr std::uint8_t kPaletteMarker = 0x0C;

// Runs may carry over from one scan line to the next.
class PcxRunReader {
 public:
  explicit PcxRunReader(ByteSpan data) : data_(data) {}

  // Fills `line` whole; false when the data ends first.
  bool ReadLine(std::span<std::uint8_t> line) {
    std::size_t filled = 0;
    while (filled < line.size()) {
      if (runLength_ > 0) {
        const std::size_t count = std::min(runLength_, line.size() - filled);
        std::memset(line.data() + filled, runValue_, count);
        filled += count;
        runLength_ -= count;
        continue;
      }
      if (position_ >= data_.size()) return false;
      const std::uint8_t byte = data_[position_++];
      if ((byte & 0xC0) != 0xC0) {
        line[filled++] = byte;
        continue;
      }
      if (position_ >= data_.size()) return false;
      runLength_ = byte & 0x3F;
      runValue_ = data_[position_++];
    }
    return true;
  }

 private:
  ByteSpan data_;
  std::size_t position_ = 0;
  std::size_t runLength_ = 0;
  std::uint8_t runValue_ = 0;
};

std::array<std::uint32_t, 256> GreyPalette() {
  std::array<std::uint32_t, 256> palette;
  for (std::uint32_t i = 0; i < 256; ++i) palette[i] = 0xFF000000u | i << 16 | i << 8 | i;
  return palette;
}

}  // namespace

std::optional<PictureFrame> DecodePcx(ByteSpan bytes) {
  ByteReader reader(bytes);
  // 0 0x0A, 1 version, 2 encoding (1: run-length), 3 bits per pixel and
  // plane, 4 x min, 6 y min, 8 x max, 10 y max, 12 and 14 resolution,
  // 16 16-colour palette, 64 reserved, 65 planes, 66 bytes per plane line,
  // 68 palette kind, 70 screen size, 74 filler
  auto header = reader.Block<kHeaderSize>();
  if (!header || U8At<0>(*header) != 0x0A || U8At<2>(*header) != 1) return std::nullopt;
  const int bitsPerPixel = U8At<3>(*header);
  const int planes = U8At<65>(*header);
  const bool indexed = bitsPerPixel == 8 && planes == 1;
  const bool rgb = bitsPerPixel == 8 && planes == 3;
  const bool mono = bitsPerPixel == 1 && planes == 1;
  if (!indexed && !rgb && !mono) return std::nullopt;

  const std::int64_t width = std::int64_t{U16LeAt<8>(*header)} - U16LeAt<4>(*header) + 1;
  const std::int64_t height = std::int64_t{U16LeAt<10>(*header)} - U16LeAt<6>(*header) + 1;
  const std::size_t bytesPerLine = U16LeAt<66>(*header);
  if (!PictureSizeAllowed(width, height) || bytesPerLine < static_cast<std::size_t>((width * bitsPerPixel + 7) / 8)) {
    return std::nullopt;
  }

  ByteSpan data = bytes.subspan(kHeaderSize);
  std::array<std::uint32_t, 256> palette = GreyPalette();
  if (indexed && bytes.size() >= kHeaderSize + kPaletteSize && bytes[bytes.size() - kPaletteSize] == kPaletteMarker) {
    const std::uint8_t* entry = bytes.data() + bytes.size() - kPaletteSize + 1;
    for (std::size_t i = 0; i < 256; ++i, entry += 3) {
      palette[i] = 0xFF000000u | static_cast<std::uint32_t>(entry[0]) << 16 | static_cast<std::uint32_t>(entry[1]) << 8 |
                   entry[2];
    }
    data = data.first(data.size() - kPaletteSize);
  }

  auto frame = NewPictureFrame(width, height);
  if (!frame) return std::nullopt;
  std::vector<std::uint8_t> line(bytesPerLine * planes);
  PcxRunReader runs(data);
  for (int y = 0; y < frame->height; ++y) {
    // A picture cut short keeps the lines it has; the rest stay transparent.
    if (!runs.ReadLine(line)) break;
    std::uint32_t* dst = frame->pixels.data() + static_cast<std::size_t>(y) * frame->width;
    const std::uint8_t* src = line.data();
    if (indexed) {
      for (int x = 0; x < frame->width; ++x) dst[x] = palette[src[x]];
    } else if (rgb) {
      const std::uint8_t* green = src + bytesPerLine;
      const std::uint8_t* blue = green + bytesPerLine;
      for (int x = 0; x < frame->width; ++x) {
        dst[x] = 0xFF000000u | static_cast<std::uint32_t>(src[x]) << 16 | static_cast<std::uint32_t>(green[x]) << 8 |
                 blue[x];
      }
    } else {
      for (int x = 0; x < frame->width; ++x) dst[x] = (src[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
    }
  }
  return frame;
}
