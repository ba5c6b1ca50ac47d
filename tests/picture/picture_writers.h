#pragma once
// Writers of small (and large) pictures with every header field in reach,
// for tests of the decoders and for the benchmarks.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

using ByteVector = std::vector<std::uint8_t>;

void AppendLe16(ByteVector& bytes, std::uint16_t value);
void AppendLe32(ByteVector& bytes, std::uint32_t value);
void AppendText(ByteVector& bytes, std::string_view text);

// A BMP file with a 40-byte info header unless headerSize says otherwise
// (the header is then padded with zeros, or cut to the 12-byte core form).
struct BmpFields {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::optional<std::uint32_t> pixelOffset{};  // right after the palette when absent
  ByteVector masks{};    // written straight after the header
  ByteVector palette{};  // B, G, R, 0 per entry
  ByteVector pixels{};   // stored rows, padding included
};
ByteVector MakeBmp(const BmpFields& fields);

// A GIF89a. Indices are given row by row from the top; the writer orders
// them for interlacing and codes them with LZW.
struct GifImageFields {
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  std::vector<std::uint8_t> indices{};
  std::vector<std::uint32_t> localPalette{};  // 0xRRGGBB; none when empty
  bool interlaced = false;
  bool graphicControl = true;
  int disposal = 0;
  int delay = 0;
  int transparentIndex = -1;
  int minCodeSize = 8;
};
struct GifFields {
  int width = 1;
  int height = 1;
  std::vector<std::uint32_t> globalPalette{};  // 0xRRGGBB; none when empty
  std::vector<GifImageFields> images{};
};
ByteVector MakeGif(const GifFields& fields);

// LZW codes for `indices` as a GIF image holds them, sub-blocks not yet cut.
ByteVector EncodeGifLzw(const std::vector<std::uint8_t>& indices, int minCodeSize);

// A PCX file: the 128-byte header, `data` as given (already run-length
// coded) and, when present, the 256-colour palette after its 0x0C marker.
struct PcxFields {
  std::uint8_t version = 5;
  std::uint8_t bitsPerPixel = 8;
  std::uint16_t xMin = 0;
  std::uint16_t yMin = 0;
  std::uint16_t xMax = 0;
  std::uint16_t yMax = 0;
  std::uint8_t planes = 1;
  std::uint16_t bytesPerLine = 2;
  ByteVector data{};
  std::optional<std::vector<std::uint32_t>> palette{};  // 0xRRGGBB
};
ByteVector MakePcx(const PcxFields& fields);

// An icon (type 1) or cursor (type 2) directory and its images.
struct IconEntryFields {
  ByteVector image{};
  std::optional<std::uint32_t> size{};    // the image's own size when absent
  std::optional<std::uint32_t> offset{};  // where the image is when absent
};
ByteVector MakeIcon(std::uint16_t type, const std::vector<IconEntryFields>& entries,
                    std::optional<std::uint16_t> count = std::nullopt);

// A BMP as an icon holds it: without the file header, the DIB height doubled
// for the AND mask that follows the pixels.
ByteVector MakeIconBmp(BmpFields fields, const ByteVector& andMask);

// Through the libraries: an 8-bit RGBA PNG of 0xAARRGGBB pixels, and a
// baseline or progressive JPEG of 0xRRGGBB pixels (its grey form when
// `components` is 1, CMYK when 4).
ByteVector MakePng(int width, int height, const std::vector<std::uint32_t>& pixels);
ByteVector MakeJpeg(int width, int height, const std::vector<std::uint32_t>& pixels, int quality, int components = 3,
                    bool progressive = false);
