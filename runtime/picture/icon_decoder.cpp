#include "runtime/picture/icon_decoder.h"

#include <algorithm>

#include "runtime/picture/bmp_decoder.h"
#include "runtime/picture/frame_allocation.h"
#include "runtime/picture/png_decoder.h"

namespace {

constexpr ByteBlock<8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct IconImage {
  ByteSpan bytes;
  bool isPng = false;
  std::int64_t area = 0;
  int bitCount = 0;
};

// The directory's sizes and bit counts are often wrong (and a cursor keeps
// its hot spot where an icon has planes and bit count), so an image is
// described by its own header.
std::optional<IconImage> DescribePng(ByteSpan bytes) {
  // 0 signature, 8 chunk length, 12 "IHDR", 16 width, 20 height,
  // 24 bit depth, 25 colour type
  ByteReader reader(bytes);
  auto start = reader.Block<26>();
  if (!start) return std::nullopt;
  int channels;
  switch (U8At<25>(*start)) {
    case 0: case 3: channels = 1; break;
    case 2: channels = 3; break;
    case 4: channels = 2; break;
    case 6: channels = 4; break;
    default: return std::nullopt;
  }
  const std::int64_t width = U32BeAt<16>(*start);
  const std::int64_t height = U32BeAt<20>(*start);
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  return IconImage{bytes, true, width * height, U8At<24>(*start) * channels};
}

std::optional<IconImage> DescribeImage(ByteSpan bytes) {
  if (bytes.size() >= kPngSignature.size() && std::ranges::equal(bytes.first(kPngSignature.size()), kPngSignature)) {
    return DescribePng(bytes);
  }
  auto header = ReadBmpHeader(bytes, BmpSource::Icon);
  if (!header) return std::nullopt;
  return IconImage{bytes, false, std::int64_t{header->width} * header->height, header->bitCount};
}

}  // namespace

std::optional<PictureFrame> DecodeIcon(ByteSpan bytes) {
  ByteReader reader(bytes);
  // 0 reserved (0), 2 type (1 icon, 2 cursor), 4 image count
  auto directory = reader.Block<6>();
  if (!directory) return std::nullopt;
  const int count = U16LeAt<4>(*directory);

  std::optional<IconImage> best;
  for (int i = 0; i < count; ++i) {
    // 0 width, 1 height, 2 colour count, 3 reserved, 4 planes or hot spot x,
    // 6 bit count or hot spot y, 8 size of the image, 12 its offset
    auto entry = reader.Block<16>();
    if (!entry) break;
    const std::size_t offset = U32LeAt<12>(*entry);
    if (offset >= bytes.size()) continue;
    ByteSpan image = bytes.subspan(offset, std::min<std::size_t>(U32LeAt<8>(*entry), bytes.size() - offset));
    auto described = DescribeImage(image);
    if (!described) continue;
    if (!best || described->area > best->area ||
        (described->area == best->area && described->bitCount > best->bitCount)) {
      best = described;
    }
  }
  if (!best) return std::nullopt;
  return best->isPng ? DecodePng(best->bytes) : DecodeBmp(best->bytes, BmpSource::Icon);
}
