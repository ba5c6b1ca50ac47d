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
// dropped and the animation ends with the frames before: at most this many
// frames, and at most kMaxPicturePixels pixels (256 MiB) in all frames
// together. The pixels decoded from the images themselves have the same
// bound, since an image may be far larger than the screen it is drawn on.
inline constexpr std::size_t kMaxGifFrames = 1000;
inline constexpr std::int64_t kMaxGifTotalPixels = kMaxPicturePixels;

// The delay of a frame that sets none, in hundredths of a second.
inline constexpr int kDefaultGifDelay = 10;

std::optional<Picture> DecodeGif(ByteSpan bytes);
