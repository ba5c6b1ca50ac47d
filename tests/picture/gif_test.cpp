// Animations composed on the logical screen, built here image by image.

#include "gtest/gtest.h"
#include "runtime/picture/gif_decoder.h"
#include "tests/picture/picture_writers.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kClear = 0;

const std::vector<std::uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::optional<Picture> Decode(const ByteVector& bytes, const GifLimits& limits = {}) {
  return DecodeGif(ByteSpan(bytes), limits);
}

TEST(GifDecoder, ComposesEachFrameByTheDisposalOfTheOnesBefore) {
  GifFields gif{.width = 3, .height = 1, .globalPalette = kPalette};
  // Kept: the next frame draws over it.
  gif.images.push_back({.width = 3, .indices = {0, 0, 0}, .disposal = 1, .delay = 5});
  // Restored to the background (transparent) after it shows.
  gif.images.push_back({.left = 1, .width = 2, .indices = {1, 1}, .disposal = 2, .delay = 6});
  // Its transparent pixel shows what is under it; restored to the previous
  // screen after it shows.
  gif.images.push_back({.width = 2, .indices = {2, 3}, .disposal = 3, .transparentIndex = 3});
  // No graphic control at all.
  gif.images.push_back({.left = 2, .width = 1, .indices = {3}, .graphicControl = false});

  auto picture = Decode(MakeGif(gif));
  ASSERT_TRUE(picture.has_value());
  EXPECT_TRUE(picture->IsAnimation());
  const std::vector<std::vector<std::uint32_t>> expected = {
      {kRed, kRed, kRed}, {kRed, kGreen, kGreen}, {kBlue, kClear, kClear}, {kRed, kClear, kWhite}};
  const std::vector<int> delays = {5, 6, kDefaultGifDelay, kDefaultGifDelay};
  ASSERT_EQ(picture->frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(picture->frames[i].width, 3);
    EXPECT_EQ(picture->frames[i].height, 1);
    EXPECT_EQ(picture->frames[i].pixels, expected[i]);
    EXPECT_EQ(picture->frames[i].delayHundredths, delays[i]);
  }
}

TEST(GifDecoder, PutsInterlacedRowsInTheirPlaces) {
  std::vector<std::uint8_t> rows;
  for (int y = 0; y < 11; ++y) rows.insert(rows.end(), {static_cast<std::uint8_t>(y % 4), static_cast<std::uint8_t>(3 - y % 4)});
  GifFields plain{.width = 2, .height = 11, .globalPalette = kPalette};
  plain.images.push_back({.width = 2, .height = 11, .indices = rows});
  GifFields interlaced = plain;
  interlaced.images[0].interlaced = true;

  auto expected = Decode(MakeGif(plain));
  auto decoded = Decode(MakeGif(interlaced));
  ASSERT_TRUE(expected.has_value());
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->frames[0].pixels, expected->frames[0].pixels);
  EXPECT_EQ(expected->frames[0].pixels[4], kBlue);  // row 2 starts with index 2
}

TEST(GifDecoder, ClipsImagesToTheScreen) {
  GifFields gif{.width = 2, .height = 2, .globalPalette = kPalette};
  // Sticks out right and below; only its top-left pixel lands on the screen.
  gif.images.push_back({.left = 1, .top = 1, .width = 3, .height = 2, .indices = {1, 2, 2, 2, 2, 2}});
  // Entirely off the screen: a frame that adds nothing.
  gif.images.push_back({.left = 5, .top = 0, .width = 1, .height = 1, .indices = {0}});

  auto picture = Decode(MakeGif(gif));
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->frames.size(), 2u);
  const std::vector<std::uint32_t> expected = {kClear, kClear, kClear, kGreen};
  EXPECT_EQ(picture->frames[0].pixels, expected);
  EXPECT_EQ(picture->frames[1].pixels, expected);
}

TEST(GifDecoder, KeepsTheFramesBeforeAnImageItCannotDraw) {
  GifFields gif{.width = 1, .height = 1};
  gif.images.push_back({.indices = {0}, .localPalette = {0xFF0000}});
  gif.images.push_back({.indices = {0}});  // no palette anywhere
  gif.images.push_back({.indices = {0}, .localPalette = {0x00FF00}});

  auto picture = Decode(MakeGif(gif));
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->frames.size(), 1u);
  EXPECT_EQ(picture->frames[0].pixels[0], kRed);

  gif.images.erase(gif.images.begin());
  EXPECT_FALSE(Decode(MakeGif(gif)).has_value());
}

TEST(GifDecoder, DecodesLongRunsThroughAFullCodeTable) {
  // Enough varied pixels to fill the 4096-entry table several times over,
  // then a long run that makes long strings.
  GifFields gif{.width = 300, .height = 200, .globalPalette = kPalette};
  std::vector<std::uint8_t> indices(300 * 200);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = i < 40000 ? (i * 7 + i / 13) % 4 : 1;
  gif.images.push_back({.width = 300, .height = 200, .indices = indices});

  auto picture = Decode(MakeGif(gif));
  ASSERT_TRUE(picture.has_value());
  for (std::size_t i = 0; i < indices.size(); ++i) {
    ASSERT_EQ(picture->frames[0].pixels[i], 0xFF000000u | kPalette[indices[i]]) << "pixel " << i;
  }
}

struct LimitCase {
  const char* name;
  GifLimits limits;
  int screenSide;
  int imageSide;
  std::size_t expectedFrames;  // 0: rejected
};

TEST(GifDecoder, EndsTheAnimationAtItsLimits) {
  const LimitCase cases[] = {
      {"frame count", {.frames = 3}, 1, 1, 3},
      // 100 pixels a frame: the first two fit in 250.
      {"pixels of all frames", {.framePixels = 250}, 10, 1, 2},
      {"the first frame is kept whatever its size", {.framePixels = 10}, 10, 1, 1},
      // Images of 100 pixels on a 1-pixel screen.
      {"pixels of all images", {.imagePixels = 250}, 1, 10, 2},
      {"a first image beyond the limit", {.imagePixels = 99}, 1, 10, 0},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    GifFields gif{.width = c.screenSide, .height = c.screenSide, .globalPalette = kPalette};
    const std::size_t area = static_cast<std::size_t>(c.imageSide) * c.imageSide;
    for (int i = 0; i < 5; ++i) {
      gif.images.push_back({.width = c.imageSide, .height = c.imageSide, .indices = std::vector<std::uint8_t>(area, 1)});
    }
    auto picture = Decode(MakeGif(gif), c.limits);
    EXPECT_EQ(picture ? picture->frames.size() : 0, c.expectedFrames);
  }
}

TEST(GifDecoder, ByDefaultKeepsAThousandFrames) {
  GifFields gif{.width = 1, .height = 1, .globalPalette = kPalette};
  gif.images.assign(1005, GifImageFields{.indices = {2}});
  const ByteVector bytes = MakeGif(gif);
  auto picture = DecodePicture(bytes.data(), bytes.size());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->frames.size(), 1000u);
}

}  // namespace
