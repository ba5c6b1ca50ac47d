#include "runtime/picture/bmp_header.h"

#include <algorithm>
#include <bit>

#include "runtime/picture/frame_allocation.h"

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;  // Huffman coding in OS/2 version 2 headers
constexpr std::uint32_t kBiAlphaBitFields = 6;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// Core (OS/2 version 1), OS/2 version 2 in its short and full form, info,
// the two extended info headers, V4 and V5.
bool IsKnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case 12: case 16: case 40: case 52: case 56: case 64: case 108: case 124:
      return true;
    default:
      return false;
  }
}

bool IsOs2Version2(std::uint32_t size) { return size == 16 || size == 64; }

// Masks must be one run of set bits (or none): that is what the channel
// scaling relies on.
bool IsContiguousMask(std::uint32_t mask) {
  if (mask == 0) return true;
  std::uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0;
}

struct DibFields {
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t coloursUsed = 0;
  std::array<std::uint32_t, 4> masks{};
};

std::optional<DibFields> ReadDibFields(ByteReader& reader, std::uint32_t headerSize) {
  DibFields fields;
  if (headerSize == kCoreHeaderSize) {
    // 0 width, 2 height (both unsigned), 4 planes, 6 bits per pixel
    auto core = reader.Block<8>();
    if (!core) return std::nullopt;
    fields.width = U16LeAt<0>(*core);
    fields.height = U16LeAt<2>(*core);
    fields.bitCount = U16LeAt<6>(*core);
    return fields;
  }
  // 0 width, 4 height (negative for top-down rows), 8 planes, 10 bits per pixel
  auto size = reader.Block<12>();
  if (!size) return std::nullopt;
  fields.width = I32LeAt<0>(*size);
  fields.height = I32LeAt<4>(*size);
  fields.bitCount = U16LeAt<10>(*size);
  if (headerSize < kInfoHeaderSize) return fields;
  // 0 compression, 4 image size, 8 and 12 resolution, 16 colours used,
  // 20 colours important
  auto info = reader.Block<24>();
  if (!info) return std::nullopt;
  fields.compression = U32LeAt<0>(*info);
  fields.coloursUsed = U32LeAt<16>(*info);
  if (headerSize < 52 || IsOs2Version2(headerSize)) return fields;
  // 0 red, 4 green, 8 blue and, from 56 bytes on, 12 alpha mask
  auto masks = reader.Block<12>();
  if (!masks) return std::nullopt;
  fields.masks = {U32LeAt<0>(*masks), U32LeAt<4>(*masks), U32LeAt<8>(*masks), 0};
  if (headerSize < 56) return fields;
  auto alpha = reader.U32Le();
  if (!alpha) return std::nullopt;
  fields.masks[3] = *alpha;
  return fields;
}

// The masks of a 40-byte header follow it: three, or four with alpha.
bool ReadMasksAfterHeader(ByteReader& reader, std::uint32_t compression, std::array<std::uint32_t, 4>& masks) {
  auto rgb = reader.Block<12>();
  if (!rgb) return false;
  masks = {U32LeAt<0>(*rgb), U32LeAt<4>(*rgb), U32LeAt<8>(*rgb), 0};
  if (compression != kBiAlphaBitFields) return true;
  auto alpha = reader.U32Le();
  if (!alpha) return false;
  masks[3] = *alpha;
  return true;
}

std::optional<BmpEncoding> ChooseEncoding(const DibFields& fields, std::uint32_t headerSize, bool topDown) {
  switch (fields.compression) {
    case kBiRgb:
      switch (fields.bitCount) {
        case 1: case 2: case 4: case 8: return BmpEncoding::Indexed;
        case 24: return BmpEncoding::Rgb24;
        case 16: case 32: return BmpEncoding::BitFields;
        default: return std::nullopt;
      }
    // Run-length data only runs bottom-up.
    case kBiRle8:
      if (fields.bitCount != 8 || topDown) return std::nullopt;
      return BmpEncoding::Rle8;
    case kBiRle4:
      if (fields.bitCount != 4 || topDown) return std::nullopt;
      return BmpEncoding::Rle4;
    case kBiBitFields:
    case kBiAlphaBitFields:
      if (IsOs2Version2(headerSize) || (fields.bitCount != 16 && fields.bitCount != 32)) return std::nullopt;
      return BmpEncoding::BitFields;
    default:
      return std::nullopt;
  }
}

std::array<std::uint32_t, 4> DefaultMasks(int bitCount, BmpSource source) {
  if (bitCount == 16) return {0x7C00, 0x03E0, 0x001F, 0};
  // The fourth byte is unused in a file, but an icon's alpha.
  return {0x00FF0000, 0x0000FF00, 0x000000FF, source == BmpSource::Icon ? 0xFF000000u : 0u};
}

bool ReadPalette(ByteReader& reader, std::size_t count, std::size_t entrySize, std::array<std::uint32_t, 256>& palette) {
  palette.fill(0xFF000000);
  for (std::size_t i = 0; i < count; ++i) {
    auto entry = reader.Bytes(entrySize);
    if (!entry) return false;
    palette[i] = 0xFF000000u | static_cast<std::uint32_t>((*entry)[2]) << 16 |
                 static_cast<std::uint32_t>((*entry)[1]) << 8 | (*entry)[0];
  }
  return true;
}

}  // namespace

std::size_t BmpRowStride(int width, int bitCount) {
  return static_cast<std::size_t>((static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4);
}

std::optional<BmpHeader> ReadBmpHeader(ByteSpan bytes, BmpSource source) {
  ByteReader reader(bytes);
  std::size_t filePixelOffset = 0;
  if (source == BmpSource::File) {
    // 0 "BM", 2 file size (often wrong, unused), 6 reserved, 10 pixel offset
    auto fileHeader = reader.Block<14>();
    if (!fileHeader || U8At<0>(*fileHeader) != 'B' || U8At<1>(*fileHeader) != 'M') return std::nullopt;
    filePixelOffset = U32LeAt<10>(*fileHeader);
  }
  const std::size_t dibStart = reader.Position();
  auto headerSize = reader.U32Le();
  if (!headerSize || !IsKnownHeaderSize(*headerSize)) return std::nullopt;
  auto fields = ReadDibFields(reader, *headerSize);
  if (!fields || !reader.Seek(dibStart + *headerSize)) return std::nullopt;

  BmpHeader header;
  header.topDown = fields->height < 0;
  std::int64_t height = header.topDown ? -fields->height : fields->height;
  if (source == BmpSource::Icon) height /= 2;
  if (!PictureSizeAllowed(fields->width, height)) return std::nullopt;
  header.width = static_cast<int>(fields->width);
  header.height = static_cast<int>(height);
  header.bitCount = fields->bitCount;

  auto encoding = ChooseEncoding(*fields, *headerSize, header.topDown);
  if (!encoding) return std::nullopt;
  // An icon's pixels are plain or bit fields, never run-length coded.
  if (source == BmpSource::Icon && (*encoding == BmpEncoding::Rle8 || *encoding == BmpEncoding::Rle4)) {
    return std::nullopt;
  }
  header.encoding = *encoding;
  if (fields->compression == kBiRgb) {
    header.masks = DefaultMasks(fields->bitCount, source);
  } else if (*encoding == BmpEncoding::BitFields) {
    if (*headerSize == kInfoHeaderSize) {
      if (!ReadMasksAfterHeader(reader, fields->compression, fields->masks)) return std::nullopt;
    }
    header.masks = fields->masks;
  }
  if (!std::ranges::all_of(header.masks, IsContiguousMask)) return std::nullopt;

  const std::size_t paletteStart = reader.Position();
  const std::size_t entrySize = *headerSize == kCoreHeaderSize ? 3 : 4;
  const std::size_t maxEntries = header.bitCount <= 8 ? std::size_t{1} << header.bitCount : 0;
  const std::size_t declared =
      fields->coloursUsed != 0 ? fields->coloursUsed : (header.bitCount <= 8 ? maxEntries : 0);
  std::size_t available;
  if (source == BmpSource::File) {
    if (filePixelOffset < paletteStart || filePixelOffset > bytes.size()) return std::nullopt;
    header.pixelOffset = filePixelOffset;
    available = (filePixelOffset - paletteStart) / entrySize;
    // A colour count beyond both the bit depth and the room before the
    // pixels is no palette at all.
    if (header.bitCount <= 8 && declared > maxEntries && declared > available) return std::nullopt;
  } else {
    // In an icon the pixels follow the whole palette that the header declares.
    auto paletteBytes = CheckedMultiply(declared, entrySize);
    auto pixelOffset = paletteBytes ? CheckedAdd(paletteStart, *paletteBytes) : std::nullopt;
    if (!pixelOffset || *pixelOffset > bytes.size()) return std::nullopt;
    header.pixelOffset = *pixelOffset;
    available = declared;
  }
  if (!ReadPalette(reader, std::min({declared, maxEntries, available}), entrySize, header.palette)) {
    return std::nullopt;
  }
  return header;
}
