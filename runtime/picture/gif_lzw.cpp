#include "runtime/picture/gif_lzw.h"

#include <array>

namespace {

constexpr int kMaxCodeSize = 12;
constexpr int kTableSize = 1 << kMaxCodeSize;

// Each code stands for a string: its last byte, the code of the string
// before that byte, its first byte and its length. Strings are written back
// to front, straight into the output.
struct LzwTable {
  std::array<std::uint16_t, kTableSize> prefix;
  std::array<std::uint8_t, kTableSize> suffix;
  std::array<std::uint8_t, kTableSize> first;
  std::array<std::uint16_t, kTableSize> length;
};

// Writes the string of `code` at `out`, cut to `room` bytes; returns the
// number written.
std::size_t WriteString(const LzwTable& table, int code, std::uint8_t* out, std::size_t room) {
  std::size_t length = table.length[code];
  for (; length > room; --length) code = table.prefix[code];
  for (std::size_t i = length; i > 0; --i) {
    out[i - 1] = table.suffix[code];
    code = table.prefix[code];
  }
  return length;
}

}  // namespace

std::size_t DecodeGifLzw(ByteSpan data, int minCodeSize, std::span<std::uint8_t> indices) {
  const int clearCode = 1 << minCodeSize;
  const int endCode = clearCode + 1;
  LzwTable table;
  for (int code = 0; code < clearCode; ++code) {
    table.prefix[code] = 0;
    table.suffix[code] = static_cast<std::uint8_t>(code);
    table.first[code] = static_cast<std::uint8_t>(code);
    table.length[code] = 1;
  }

  int codeSize = minCodeSize + 1;
  int nextCode = clearCode + 2;
  int previous = -1;
  std::uint32_t bits = 0;
  int bitCount = 0;
  std::size_t position = 0;
  std::size_t written = 0;
  const std::size_t capacity = indices.size();

  while (written < capacity) {
    while (bitCount < codeSize) {
      if (position == data.size()) return written;
      bits |= static_cast<std::uint32_t>(data[position++]) << bitCount;
      bitCount += 8;
    }
    const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
    bits >>= codeSize;
    bitCount -= codeSize;

    if (code == clearCode) {
      codeSize = minCodeSize + 1;
      nextCode = clearCode + 2;
      previous = -1;
      continue;
    }
    if (code == endCode) return written;
    if (previous < 0) {
      if (code > clearCode) return written;
      indices[written++] = static_cast<std::uint8_t>(code);
      previous = code;
      continue;
    }
    if (code > nextCode || (code == nextCode && nextCode == kTableSize)) return written;

    const bool tableFull = nextCode == kTableSize;
    if (!tableFull) {
      // The new string is the previous one and the first byte of this one,
      // which for the code not yet in the table is the previous one's first.
      table.prefix[nextCode] = static_cast<std::uint16_t>(previous);
      table.suffix[nextCode] = table.first[code == nextCode ? previous : code];
      table.first[nextCode] = table.first[previous];
      table.length[nextCode] = static_cast<std::uint16_t>(table.length[previous] + 1);
    }
    written += WriteString(table, code, indices.data() + written, capacity - written);
    if (!tableFull && ++nextCode == (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
    previous = code;
  }
  return written;
}
