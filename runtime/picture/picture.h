#pragma once
// Recognition and decoding of the pictures a picture box accepts. Plain C++:
// the box itself (runtime/window) only scales and draws the decoded frames.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

enum class PictureFormat { None, Bmp, Jpeg, Png, Icon, Cursor, Gif, Pcx8, Pcx1 };

// Decoders refuse anything larger before allocating for it.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

// One full picture: width x height pixels, row after row from the top, each
// 0xAARRGGBB with straight (not premultiplied) alpha. Opaque formats give
// alpha 255; the transparent parts of icons, cursors, GIFs and PNGs alpha 0
// (PNG also anything between). 32-bit BMPs with an alpha channel carry it
// too, and pixels that a picture's data never sets (skipped by run-length
// BMP data, or past the end of a cut-short picture) are transparent black.
struct PictureFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  int delayHundredths = 0;  // animations only: how long the frame stays
};

// A still picture has one frame; an animated GIF one frame per image, each
// already composed on the logical screen, so that a frame is drawn whole.
struct Picture {
  PictureFormat format = PictureFormat::None;
  std::vector<PictureFrame> frames;
  bool IsAnimation() const { return frames.size() > 1; }
};

// The format that the first 8 bytes announce; None for fewer than 8 bytes.
PictureFormat RecognisePicture(const std::uint8_t* data, std::size_t size);

// Recognises and decodes; nullopt when the bytes are no picture or the
// decoder rejects them.
std::optional<Picture> DecodePicture(const std::uint8_t* data, std::size_t size);
