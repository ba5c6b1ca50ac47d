#pragma once
// The size limits every decoder enforces before allocating, and the
// overflow-checked arithmetic for sizes taken from untrusted headers.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/picture/picture.h"

// Whether width x height is a picture the decoders accept: both sides
// positive, neither above kMaxPictureSide, no more than kMaxPicturePixels.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);

// A frame of that size with every pixel `fill`; nullopt beyond the limits.
std::optional<PictureFrame> NewPictureFrame(std::int64_t width, std::int64_t height, std::uint32_t fill = 0);

std::optional<std::size_t> CheckedMultiply(std::size_t a, std::size_t b);
std::optional<std::size_t> CheckedAdd(std::size_t a, std::size_t b);

// A still picture of one frame.
Picture StillPicture(PictureFormat format, PictureFrame frame);
