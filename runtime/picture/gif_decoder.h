#pragma once
// GIF87a and GIF89a pictures. Every image of the file becomes one frame:
// the logical screen as it shows after drawing that image over what the
// images before it left there (by their disposal methods), with its delay.
// The screen starts transparent; restoring the background makes the
// image's area transparent again.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/picture/byte_reader.h"
#include "runtime/picture/picture.h"

// Bounds on what a hostile animation can cost. Frames past them are
// dropped and the animation ends with the frames before.
struct GifLimits {
  std::size_t frames = 1000;
  // Pixels of all frames together (each the whole screen): 256 MiB. The
  // first frame is always kept.
  std::int64_t framePixels = kMaxPicturePixels;
  // Pixels decoded from all images together, since an image may be far
  // larger than the screen it is drawn on. One image may have no more than
  // kMaxPicturePixels.
  std::int64_t imagePixels = 4 * kMaxPicturePixels;
};

// The delay of a frame that sets none, in hundredths of a second.
inline constexpr int kDefaultGifDelay = 10;

std::optional<Picture> DecodeGif(ByteSpan bytes, const GifLimits& limits = {});
