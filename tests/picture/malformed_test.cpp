// Tiny pictures with one header field or one byte of data wrong, and what the
// decoders make of each: refused, or decoded as far as the data goes. Every
// picture is also cut at every length.

#include <zlib.h>

#include <functional>

#include "gtest/gtest.h"
#include "runtime/picture/frame_allocation.h"
#include "tests/picture/picture_writers.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kUnset = 0;  // never drawn: transparent black

struct Outcome {
  int width = 0;  // 0: refused
  int height = 0;
  std::vector<std::uint32_t> pixels{};  // of the first frame; unchecked when empty
};
const Outcome kRefused{};

struct MalformedCase {
  std::string name;
  ByteVector bytes;
  Outcome expected;
};

ByteVector Prefix(ByteVector bytes, std::size_t length) {
  bytes.resize(length);
  return bytes;
}

// Two rows of two 24-bit pixels, stored bottom-up and padded to 8 bytes:
// blue, red at the bottom; red, white at the top.
BmpFields Bmp2x2() {
  return {.width = 2,
          .height = 2,
          .pixels = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0,  // bottom row
                     0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}};  // top row
}

ByteVector Bmp(const std::function<void(BmpFields&)>& change) {
  BmpFields fields = Bmp2x2();
  change(fields);
  return MakeBmp(fields);
}

// 8 bits per pixel, four pixels wide, two rows; palette black, red.
ByteVector Rle8(ByteVector data, std::int32_t height = 2) {
  return MakeBmp({.width = 4, .height = height, .bitCount = 8, .compression = 1, .coloursUsed = 2,
                  .palette = {0, 0, 0, 0, 0, 0, 0xFF, 0}, .pixels = std::move(data)});
}

// One 24-bit pixel 0x112233 and its AND mask row (one bit, padded).
ByteVector IconPixel(const ByteVector& andMask) {
  return MakeIconBmp({.width = 1, .height = 1, .pixels = {0x33, 0x22, 0x11, 0}}, andMask);
}

GifFields OnePixelGif() {
  GifFields gif{.width = 1, .height = 1, .globalPalette = {0xFF0000, 0x0000FF}};
  gif.images.push_back({.indices = {1}});
  return gif;
}

ByteVector Gif(const std::function<void(GifFields&)>& change) {
  GifFields gif = OnePixelGif();
  change(gif);
  return MakeGif(gif);
}

PcxFields Pcx2x1() {
  return {.xMax = 1, .data = {0xC2, 1}, .palette = std::vector<std::uint32_t>{0, 0xFF0000}};  // a run of two 1s
}

ByteVector Pcx(const std::function<void(PcxFields&)>& change) {
  PcxFields fields = Pcx2x1();
  change(fields);
  return MakePcx(fields);
}

void AppendPngChunk(ByteVector& png, const char* type, const ByteVector& data) {
  const std::uint32_t length = static_cast<std::uint32_t>(data.size());
  png.insert(png.end(), {static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
                         static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
  const std::size_t start = png.size();
  AppendText(png, type);
  png.insert(png.end(), data.begin(), data.end());
  const uLong crc = crc32(0, png.data() + start, static_cast<uInt>(png.size() - start));
  png.insert(png.end(), {static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
                         static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)});
}

// A PNG of nothing but its header chunk and end chunk.
ByteVector PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  ByteVector png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  AppendPngChunk(png, "IHDR",
                 {static_cast<std::uint8_t>(width >> 24), static_cast<std::uint8_t>(width >> 16),  // width
                  static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
                  static_cast<std::uint8_t>(height >> 24), static_cast<std::uint8_t>(height >> 16),  // height
                  static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                  8,    // bit depth
                  6,    // colour type: RGBA
                  0,    // compression
                  0,    // filter
                  0});  // interlace
  AppendPngChunk(png, "IEND", {});
  return png;
}

std::vector<MalformedCase> BmpCases() {
  return {
      {"BMP: the sound picture", MakeBmp(Bmp2x2()), {2, 2, {kRed, kWhite, kBlue, kRed}}},
      {"BMP: width 0", Bmp([](BmpFields& f) { f.width = 0; }), kRefused},
      {"BMP: negative width", Bmp([](BmpFields& f) { f.width = -2; }), kRefused},
      {"BMP: height 0", Bmp([](BmpFields& f) { f.height = 0; }), kRefused},
      {"BMP: negative height: rows top-down", Bmp([](BmpFields& f) { f.height = -2; }),
       {2, 2, {kBlue, kRed, kRed, kWhite}}},
      {"BMP: height -2^31", Bmp([](BmpFields& f) { f.height = INT32_MIN; }), kRefused},
      {"BMP: width above 16384", Bmp([](BmpFields& f) { f.width = 16385;
         f.height = 1; }), kRefused},
      {"BMP: more than 64 megapixels", Bmp([](BmpFields& f) { f.width = 16384;
         f.height = 4097; }), kRefused},
      {"BMP: pixel offset past the end", Bmp([](BmpFields& f) { f.pixelOffset = 10000; }), kRefused},
      {"BMP: pixel offset inside the header", Bmp([](BmpFields& f) { f.pixelOffset = 20; }), kRefused},
      {"BMP: 3 bits per pixel", Bmp([](BmpFields& f) { f.bitCount = 3; }), kRefused},
      {"BMP: header size 41", Bmp([](BmpFields& f) { f.headerSize = 41; }), kRefused},
      {"BMP: compression 4 (embedded JPEG)", Bmp([](BmpFields& f) { f.compression = 4; }), kRefused},
      {"BMP: padding after the last row missing", Bmp([](BmpFields& f) { f.pixels.resize(14); }),
       {2, 2, {kRed, kWhite, kBlue, kRed}}},
      {"BMP: last row short of a byte", Bmp([](BmpFields& f) { f.pixels.resize(13); }), kRefused},
      {"BMP: core header, 1 bit per pixel",
       MakeBmp({.headerSize = 12, .width = 2, .bitCount = 1,
                .palette = {0, 0, 0, 0xFF, 0xFF, 0xFF},  // black, white; 3 bytes each
                .pixels = {0x80, 0, 0, 0}}),
       {2, 1, {kWhite, kBlack}}},
      {"BMP: colour count beyond the depth and the file",
       MakeBmp({.bitCount = 8, .coloursUsed = 1000, .palette = {0, 0, 0xFF, 0}, .pixels = {0, 0, 0, 0}}), kRefused},
      {"BMP: index past a short palette: black",
       MakeBmp({.bitCount = 8, .palette = {0, 0, 0xFF, 0}, .pixels = {5, 0, 0, 0}}), {1, 1, {kBlack}}},
      {"BMP: bit fields with a mask of separate bits",
       MakeBmp({.bitCount = 16, .compression = 3,
                .masks = {0x00, 0x50, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0},  // red 0x5000: bits 12 and 14
                .pixels = {0, 0, 0, 0}}),
       kRefused},
      {"BMP: 32 bits with alpha",
       MakeBmp({.bitCount = 32, .compression = 6,
                .masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF},  // red, green, blue, alpha
                .pixels = {0x33, 0x22, 0x11, 0x80}}),
       {1, 1, {0x80112233}}},
      {"BMP: 32 bits with an alpha mask but zero alpha everywhere: opaque",
       MakeBmp({.bitCount = 32, .compression = 6,
                .masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF},
                .pixels = {0x33, 0x22, 0x11, 0}}),
       {1, 1, {0xFF112233}}},
      {"BMP: RLE8 run past the row's end, literal, delta past the last row",
       Rle8({6, 1,           // six red pixels: four fit
             0, 0,           // end of line
             0, 3, 1, 0, 1, 0,  // three literal pixels, padded
             0, 2, 0, 5,     // move five rows up: past the picture
             2, 1}),         // never read
       {4, 2, {kRed, kBlack, kRed, kUnset, kRed, kRed, kRed, kRed}}},
      {"BMP: RLE8 cut in a literal, without end of bitmap",
       Rle8({2, 1,          // two red pixels
             0, 5, 1}),     // five literal pixels, one there
       {4, 2, {kUnset, kUnset, kUnset, kUnset, kRed, kRed, kRed, kUnset}}},
      {"BMP: RLE8 stored top-down", Rle8({0, 1}, -2), kRefused},
      {"BMP: only the file header", Prefix(MakeBmp(Bmp2x2()), 14), kRefused},
      {"BMP: 7 bytes", Prefix(MakeBmp(Bmp2x2()), 7), kRefused},
  };
}


std::vector<MalformedCase> IconCases() {
  const ByteVector hidden = {0x80, 0, 0, 0};
  const ByteVector shown = {0, 0, 0, 0};
  return {
      {"icon: the AND mask hides the pixel", MakeIcon(1, {{IconPixel(hidden)}}), {1, 1, {0x00112233}}},
      {"icon: the AND mask shows the pixel", MakeIcon(1, {{IconPixel(shown)}}), {1, 1, {0xFF112233}}},
      {"cursor: the same image", MakeIcon(2, {{IconPixel(hidden)}}), {1, 1, {0x00112233}}},
      {"icon: AND mask cut off: opaque", MakeIcon(1, {{IconPixel({})}}), {1, 1, {0xFF112233}}},
      {"icon: image offset past the end", MakeIcon(1, {{IconPixel(hidden), {}, 5000}}), kRefused},
      {"icon: image size past the end: as far as the file goes", MakeIcon(1, {{IconPixel(hidden), 100000}}),
       {1, 1, {0x00112233}}},
      {"icon: image size too small for the pixels", MakeIcon(1, {{IconPixel(hidden), 42}}), kRefused},
      {"icon: DIB of 65535 x 65535",
       MakeIcon(1, {{MakeIconBmp({.width = 65535, .height = 65535, .pixels = {0, 0, 0, 0}}, hidden)}}), kRefused},
      {"icon: the larger of two images",
       MakeIcon(1, {{IconPixel(shown)},
                    {MakeIconBmp(Bmp2x2(), {0, 0, 0, 0, 0, 0, 0, 0})}}),
       {2, 2, {kRed, kWhite, kBlue, kRed}}},
      {"icon: a PNG image", MakeIcon(1, {{MakePng(1, 1, {0x80112233})}}), {1, 1, {0x80112233}}},
      {"icon: a PNG image cut short", MakeIcon(1, {{Prefix(MakePng(1, 1, {0x80112233}), 30)}}), kRefused},
  };
}

std::vector<MalformedCase> GifCases() {
  const ByteVector codeBeyondTable = {
      'G', 'I', 'F', '8', '9', 'a',  // signature and version
      2, 0,                          // screen width
      1, 0,                          // screen height
      0x80,                          // flags: global palette of 2 entries
      0,                             // background index
      0,                             // aspect ratio
      0xFF, 0, 0, 0, 0, 0xFF,        // palette: red, blue
      0x2C,                          // image separator
      0, 0, 0, 0,                    // left, top
      2, 0, 1, 0,                    // width, height
      0,                             // flags: no local palette
      2,                             // LZW minimum code size
      2,                             // sub-block size
      0xCC, 0x01,                    // 3-bit codes: clear (4), 1, then 7, past the next free code 6
      0,                             // end of sub-blocks
      0x3B,                          // trailer
  };
  return {
      {"GIF: the sound picture", MakeGif(OnePixelGif()), {1, 1, {kBlue}}},
      {"GIF: screen width 0", Gif([](GifFields& g) { g.width = 0; }), kRefused},
      {"GIF: no image, only the trailer", Gif([](GifFields& g) { g.images.clear(); }), kRefused},
      {"GIF: LZW minimum code size 9", Gif([](GifFields& g) { g.images[0].minCodeSize = 9; }), kRefused},
      {"GIF: LZW minimum code size 1", Gif([](GifFields& g) { g.images[0].minCodeSize = 1; }), kRefused},
      {"GIF: a code past the table keeps the pixels before it", codeBeyondTable, {2, 1, {kBlue, kUnset}}},
      {"GIF: cut in an extension", Prefix(MakeGif(OnePixelGif()), 22), kRefused},
  };
}

std::vector<MalformedCase> PcxCases() {
  const std::uint32_t grey5 = 0xFF050505;
  const std::uint32_t grey128 = 0xFF808080;
  return {
      {"PCX: the sound picture", MakePcx(Pcx2x1()), {2, 1, {kRed, kRed}}},
      {"PCX: no palette at the end: grey", Pcx([](PcxFields& f) { f.data = {5, 0x80};
         f.palette.reset(); }),
       {2, 1, {grey5, grey128}}},
      {"PCX: x max below x min", Pcx([](PcxFields& f) { f.xMin = 2; }), kRefused},
      {"PCX: bytes per line below the width", Pcx([](PcxFields& f) { f.xMax = 3; }), kRefused},
      {"PCX: four planes", Pcx([](PcxFields& f) { f.planes = 4; }), kRefused},
      {"PCX: a run carries over into the next line", Pcx([](PcxFields& f) { f.yMax = 1;
         f.data = {0xC4, 1}; }),
       {2, 2, {kRed, kRed, kRed, kRed}}},
      {"PCX: cut short: the lines before stay", Pcx([](PcxFields& f) { f.yMax = 1; }),
       {2, 2, {kRed, kRed, kUnset, kUnset}}},
      {"PCX: 1 bit per pixel, black and white",
       MakePcx({.version = 3, .bitsPerPixel = 1, .xMax = 1, .data = {0x80, 0}}), {2, 1, {kWhite, kBlack}}},
  };
}

std::vector<MalformedCase> OtherCases() {
  return {
      {"PNG: header claiming 20000 x 1", PngHeaderOnly(20000, 1), kRefused},
      {"PNG: header without image data", PngHeaderOnly(1, 1), kRefused},
      {"PNG: signature only", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, kRefused},
      {"JPEG: start-of-image marker and zeros", {0xFF, 0xD8, 0xFF, 0, 0, 0, 0, 0}, kRefused},
      {"an HTML page", {'<', 'h', 't', 'm', 'l', '>', '\n', '<', '/', 'h', 't', 'm', 'l', '>'}, kRefused},
      {"nothing", {}, kRefused},
  };
}

void ExpectOutcome(const ByteVector& bytes, const Outcome& expected) {
  auto picture = DecodePicture(bytes.data(), bytes.size());
  if (expected.width == 0) {
    EXPECT_FALSE(picture.has_value());
    return;
  }
  ASSERT_TRUE(picture.has_value());
  const PictureFrame& frame = picture->frames.front();
  EXPECT_EQ(frame.width, expected.width);
  EXPECT_EQ(frame.height, expected.height);
  if (!expected.pixels.empty()) {
    EXPECT_EQ(frame.pixels, expected.pixels);
  }
}

std::vector<MalformedCase> AllCases() {
  std::vector<MalformedCase> cases;
  for (auto group : {BmpCases, IconCases, GifCases, PcxCases, OtherCases}) {
    for (MalformedCase& c : group()) cases.push_back(std::move(c));
  }
  return cases;
}

TEST(MalformedPictures, DecodeAsFarAsTheirDataGoesOrAreRefused) {
  for (const MalformedCase& c : AllCases()) {
    SCOPED_TRACE(c.name);
    ExpectOutcome(c.bytes, c.expected);
  }
}

// Every length of every case (and of a few larger pictures): decoded within
// bounds or refused, never read past the end.
TEST(MalformedPictures, EveryCutIsDecodedOrRefused) {
  std::vector<MalformedCase> cases = AllCases();
  std::vector<std::uint32_t> gradient(16 * 16);
  for (std::size_t i = 0; i < gradient.size(); ++i) gradient[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x010203);
  cases.push_back({"PNG", MakePng(16, 16, gradient), {}});
  cases.push_back({"JPEG", MakeJpeg(16, 16, gradient, 90), {}});
  cases.push_back({"progressive JPEG", MakeJpeg(16, 16, gradient, 90, 3, true), {}});
  GifFields animation{.width = 3, .height = 2, .globalPalette = {0xFF0000, 0x00FF00, 0x0000FF}};
  animation.images.push_back({.width = 3, .height = 2, .indices = {0, 1, 2, 2, 1, 0}, .interlaced = true});
  animation.images.push_back({.left = 1, .width = 2, .indices = {1, 1}, .disposal = 3, .transparentIndex = 0});
  cases.push_back({"animated GIF", MakeGif(animation), {}});

  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::size_t length = 0; length <= c.bytes.size(); ++length) {
      const ByteVector cut = Prefix(c.bytes, length);
      auto picture = DecodePicture(cut.data(), cut.size());
      if (!picture) continue;
      ASSERT_FALSE(picture->frames.empty()) << "length " << length;
      for (const PictureFrame& frame : picture->frames) {
        ASSERT_TRUE(PictureSizeAllowed(frame.width, frame.height)) << "length " << length;
        ASSERT_EQ(frame.pixels.size(), static_cast<std::size_t>(frame.width) * frame.height) << "length " << length;
      }
    }
  }
}

}  // namespace
