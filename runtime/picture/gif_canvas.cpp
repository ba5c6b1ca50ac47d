#include "runtime/picture/gif_canvas.h"

#include <algorithm>

namespace {

// The part of the image's row that falls on the screen, as a count of
// pixels from its left edge.
int VisibleWidth(const GifImage& image, const PictureFrame& screen) {
  return image.left >= screen.width ? 0 : std::min(image.width, screen.width - image.left);
}

void DrawRow(const GifImage& image, std::size_t streamRow, int y, int visibleWidth, PictureFrame& screen) {
  const int screenY = image.top + y;
  if (screenY >= screen.height) return;
  const std::size_t start = streamRow * static_cast<std::size_t>(image.width);
  const std::size_t count = std::min<std::size_t>(visibleWidth, image.indices.size() - start);
  const std::uint8_t* src = image.indices.data() + start;
  std::uint32_t* dst = screen.pixels.data() + static_cast<std::size_t>(screenY) * screen.width + image.left;
  const GifPalette& palette = *image.palette;
  if (image.transparentIndex < 0) {
    for (std::size_t x = 0; x < count; ++x) dst[x] = palette[src[x]];
    return;
  }
  const std::uint8_t transparent = static_cast<std::uint8_t>(image.transparentIndex);
  for (std::size_t x = 0; x < count; ++x) {
    if (src[x] != transparent) dst[x] = palette[src[x]];
  }
}

}  // namespace

void DrawGifImage(const GifImage& image, PictureFrame& screen) {
  const int visibleWidth = VisibleWidth(image, screen);
  if (visibleWidth <= 0 || image.top >= screen.height || image.width == 0) return;
  const std::size_t rows = (image.indices.size() + image.width - 1) / image.width;
  if (!image.interlaced) {
    for (std::size_t row = 0; row < rows; ++row) DrawRow(image, row, static_cast<int>(row), visibleWidth, screen);
    return;
  }
  // Interlaced rows come in four passes: every 8th row from 0, every 8th
  // from 4, every 4th from 2, every 2nd from 1.
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  std::size_t row = 0;
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < image.height && row < rows; y += kStep[pass], ++row) {
      DrawRow(image, row, y, visibleWidth, screen);
    }
  }
}

void ClearGifImageArea(const GifImage& image, PictureFrame& screen) {
  const int visibleWidth = VisibleWidth(image, screen);
  if (visibleWidth <= 0) return;
  const int bottom = std::min(screen.height, image.top + image.height);
  for (int y = image.top; y < bottom; ++y) {
    std::uint32_t* dst = screen.pixels.data() + static_cast<std::size_t>(y) * screen.width + image.left;
    std::fill(dst, dst + visibleWidth, 0u);
  }
}
