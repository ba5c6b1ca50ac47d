#include "runtime/picture/frame_allocation.h"

#include <utility>

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

std::optional<PictureFrame> NewPictureFrame(std::int64_t width, std::int64_t height, std::uint32_t fill) {
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  PictureFrame frame;
  frame.width = static_cast<int>(width);
  frame.height = static_cast<int>(height);
  frame.pixels.assign(static_cast<std::size_t>(width * height), fill);
  return frame;
}

std::optional<std::size_t> CheckedMultiply(std::size_t a, std::size_t b) {
  std::size_t product;
  if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
  return product;
}

std::optional<std::size_t> CheckedAdd(std::size_t a, std::size_t b) {
  std::size_t sum;
  if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
  return sum;
}

Picture StillPicture(PictureFormat format, PictureFrame frame) {
  Picture picture;
  picture.format = format;
  picture.frames.push_back(std::move(frame));
  return picture;
}
