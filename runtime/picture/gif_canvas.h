#pragma once
// Drawing GIF images on the logical screen, clipped to it.

#include <array>
#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

using GifPalette = std::array<std::uint32_t, 256>;

struct GifImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  int transparentIndex = -1;  // none when negative
  const GifPalette* palette = nullptr;
  // Palette indices in the order of the data; an image cut short has fewer
  // than width x height, and only those are drawn.
  std::span<const std::uint8_t> indices;
};

// Transparent pixels leave the screen as it was.
void DrawGifImage(const GifImage& image, PictureFrame& screen);

// Restoring the background: the image's area becomes transparent.
void ClearGifImageArea(const GifImage& image, PictureFrame& screen);
