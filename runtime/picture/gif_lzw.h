#pragma once
// The variable-length LZW coding of a GIF image's pixels.

#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/picture/byte_reader.h"

inline constexpr int kMinGifLzwCodeSize = 2;
inline constexpr int kMaxGifLzwCodeSize = 8;

// Decodes `data` (the image's sub-blocks joined) into palette indices and
// returns how many it wrote. Stops when `indices` is full, at the end code,
// at the end of the data or at a code that cannot occur; what came before
// stays. `minCodeSize` is within the two constants above.
std::size_t DecodeGifLzw(ByteSpan data, int minCodeSize, std::span<std::uint8_t> indices);
