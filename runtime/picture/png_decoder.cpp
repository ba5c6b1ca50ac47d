#include "runtime/picture/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "runtime/picture/frame_allocation.h"

namespace {

// Frees libpng's state however the decode ends.
class PngImage {
 public:
  PngImage() {
    std::memset(&image_, 0, sizeof image_);
    image_.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* operator->() { return &image_; }
  png_image* get() { return &image_; }

 private:
  png_image image_;
};

// libpng (1.6.39 at least) gives wrong pixels when its simplified interface
// reduces Adam7-interlaced 16-bit samples to 8 bits. Those pictures are read
// at 16 bits instead and reduced here. IHDR is always the first chunk: bit
// depth at byte 24, interlace method at byte 28.
bool IsInterlaced16Bit(ByteSpan bytes) { return bytes.size() > 28 && bytes[24] == 16 && bytes[28] != 0; }

// 16-bit linear light to 8 bits encoded as libpng encodes its 8-bit
// output: the power 1/2.2.
const std::array<std::uint8_t, 65536>& EncodedFromLinear() {
  static const auto table = [] {
    std::array<std::uint8_t, 65536> values;
    for (std::size_t i = 0; i < values.size(); ++i) {
      values[i] = static_cast<std::uint8_t>(std::lround(std::pow(static_cast<double>(i) / 65535.0, 1.0 / 2.2) * 255.0));
    }
    return values;
  }();
  return table;
}

bool ReadLinear(PngImage& image, PictureFrame& frame) {
  image->format = PNG_FORMAT_LINEAR_RGB_ALPHA;
  std::vector<png_uint_16> samples(frame.pixels.size() * 4);
  if (!png_image_finish_read(image.get(), nullptr, samples.data(), 0, nullptr)) return false;
  const auto& encoded = EncodedFromLinear();
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    const png_uint_16* rgba = samples.data() + i * 4;
    const std::uint32_t alpha = rgba[3];
    if (alpha == 0) {
      frame.pixels[i] = 0;
      continue;
    }
    // Linear samples come premultiplied by alpha.
    auto channel = [&](std::uint32_t premultiplied) -> std::uint32_t {
      return encoded[std::min<std::uint32_t>(65535, (premultiplied * 65535 + alpha / 2) / alpha)];
    };
    frame.pixels[i] = (alpha * 255 + 32767) / 65535 << 24 | channel(rgba[0]) << 16 | channel(rgba[1]) << 8 |
                      channel(rgba[2]);
  }
  return true;
}

}  // namespace

std::optional<PictureFrame> DecodePng(ByteSpan bytes) {
  PngImage image;
  if (!png_image_begin_read_from_memory(image.get(), bytes.data(), bytes.size())) return std::nullopt;
  auto frame = NewPictureFrame(image->width, image->height);
  if (!frame) return std::nullopt;
  if (IsInterlaced16Bit(bytes)) {
    // The 16-bit samples take twice the frame's memory on top of it.
    if (frame->pixels.size() > kMaxPicturePixels / 4 || !ReadLinear(image, *frame)) return std::nullopt;
    return frame;
  }
  // Bytes B, G, R, A in memory are the word 0xAARRGGBB on a little-endian
  // machine, A, R, G, B on a big-endian one.
  image->format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  const png_int_32 stride = static_cast<png_int_32>(frame->width) * 4;
  if (!png_image_finish_read(image.get(), nullptr, frame->pixels.data(), stride, nullptr)) return std::nullopt;
  return frame;
}
