#pragma once
// What every fuzz target checks of what a decoder returns: frames within
// the size limits, as many pixels as their size says, every pixel readable.

#include <cstdint>
#include <cstdlib>

#include "runtime/picture/frame_allocation.h"

inline void CheckFrame(const PictureFrame& frame) {
  if (!PictureSizeAllowed(frame.width, frame.height) ||
      frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height) {
    std::abort();
  }
  std::uint32_t sum = 0;
  for (std::uint32_t pixel : frame.pixels) sum += pixel;
  static volatile std::uint32_t sink;
  sink = sum;
}
