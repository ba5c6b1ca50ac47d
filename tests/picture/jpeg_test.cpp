// JPEG through libjpeg: pictures encoded here from a known image come back
// close to it (the coding is lossy, so the measure is the mean error).

#include <cmath>
#include <cstdlib>

#include "gtest/gtest.h"
#include "runtime/picture/picture.h"
#include "tests/picture/picture_writers.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Smooth colour ramps with one sharp edge: what JPEG codes well and badly.
std::vector<std::uint32_t> KnownImage() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t red = static_cast<std::uint32_t>(x * 255 / (kWidth - 1));
      const std::uint32_t green = static_cast<std::uint32_t>(y * 255 / (kHeight - 1));
      const std::uint32_t blue = x < kWidth / 2 ? 40 : 200;
      pixels.push_back(0xFF000000u | red << 16 | green << 8 | blue);
    }
  }
  return pixels;
}

std::uint32_t Grey(std::uint32_t pixel) {
  const std::uint32_t level = ((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF)) / 3;
  return 0xFF000000u | level * 0x010101u;
}

// Mean absolute difference per colour channel over the first `rows` rows.
double MeanError(const PictureFrame& frame, const std::vector<std::uint32_t>& expected, int rows) {
  double total = 0;
  const std::size_t count = static_cast<std::size_t>(rows) * kWidth;
  for (std::size_t i = 0; i < count; ++i) {
    for (int shift : {16, 8, 0}) {
      total += std::abs(static_cast<int>(frame.pixels[i] >> shift & 0xFF) - static_cast<int>(expected[i] >> shift & 0xFF));
    }
  }
  return total / (count * 3);
}

struct JpegCase {
  const char* name;
  int components;
  bool progressive;
};

TEST(JpegDecoder, DecodesColourAndGreyCloseToTheKnownImage) {
  const auto image = KnownImage();
  std::vector<std::uint32_t> grey;
  for (std::uint32_t pixel : image) grey.push_back(Grey(pixel));
  const JpegCase cases[] = {{"colour", 3, false}, {"progressive colour", 3, true}, {"grey", 1, false}};
  for (const JpegCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The writer takes the grey level from the red channel.
    const auto& source = c.components == 1 ? grey : image;
    const ByteVector jpeg = MakeJpeg(kWidth, kHeight, source, 95, c.components, c.progressive);
    ASSERT_EQ(RecognisePicture(jpeg.data(), jpeg.size()), PictureFormat::Jpeg);
    auto picture = DecodePicture(jpeg.data(), jpeg.size());
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->frames.size(), 1u);
    const PictureFrame& frame = picture->frames[0];
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    EXPECT_LT(MeanError(frame, source, kHeight), 2.0);
    for (std::uint32_t pixel : frame.pixels) {
      ASSERT_EQ(pixel >> 24, 0xFFu);
      if (c.components == 1) {
        ASSERT_EQ(pixel, Grey(pixel));
      }
    }
  }
}

TEST(JpegDecoder, RefusesCmyk) {
  const ByteVector jpeg = MakeJpeg(kWidth, kHeight, KnownImage(), 90, 4);
  EXPECT_EQ(RecognisePicture(jpeg.data(), jpeg.size()), PictureFormat::Jpeg);
  EXPECT_FALSE(DecodePicture(jpeg.data(), jpeg.size()).has_value());
}

TEST(JpegDecoder, ShowsTheRowsThatACutPictureStillHas) {
  const auto image = KnownImage();
  ByteVector jpeg = MakeJpeg(kWidth, kHeight, image, 95);
  jpeg.resize(jpeg.size() * 3 / 4);
  auto picture = DecodePicture(jpeg.data(), jpeg.size());
  ASSERT_TRUE(picture.has_value());
  EXPECT_LT(MeanError(picture->frames[0], image, kHeight / 4), 2.0);
}

}  // namespace
