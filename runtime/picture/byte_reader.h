#pragma once
// Bounds-checked reading of untrusted bytes. Every read can fail and says so
// in a result that the caller must look at; a failed read leaves the
// position where it was. Fixed-size headers are read as one block whose
// fields are taken at offsets checked against its size at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

using ByteSpan = std::span<const std::uint8_t>;

template <std::size_t N>
using ByteBlock = std::array<std::uint8_t, N>;

template <std::size_t Offset, std::size_t N>
constexpr std::uint8_t U8At(const ByteBlock<N>& block) {
  static_assert(Offset + 1 <= N);
  return block[Offset];
}

template <std::size_t Offset, std::size_t N>
constexpr std::uint16_t U16LeAt(const ByteBlock<N>& block) {
  static_assert(Offset + 2 <= N);
  return static_cast<std::uint16_t>(block[Offset] | block[Offset + 1] << 8);
}

template <std::size_t Offset, std::size_t N>
constexpr std::uint32_t U32LeAt(const ByteBlock<N>& block) {
  static_assert(Offset + 4 <= N);
  return static_cast<std::uint32_t>(block[Offset]) | static_cast<std::uint32_t>(block[Offset + 1]) << 8 |
         static_cast<std::uint32_t>(block[Offset + 2]) << 16 | static_cast<std::uint32_t>(block[Offset + 3]) << 24;
}

template <std::size_t Offset, std::size_t N>
constexpr std::uint32_t U32BeAt(const ByteBlock<N>& block) {
  static_assert(Offset + 4 <= N);
  return static_cast<std::uint32_t>(block[Offset]) << 24 | static_cast<std::uint32_t>(block[Offset + 1]) << 16 |
         static_cast<std::uint32_t>(block[Offset + 2]) << 8 | static_cast<std::uint32_t>(block[Offset + 3]);
}

template <std::size_t Offset, std::size_t N>
constexpr std::int32_t I32LeAt(const ByteBlock<N>& block) {
  return static_cast<std::int32_t>(U32LeAt<Offset>(block));
}

class ByteReader {
 public:
  explicit ByteReader(ByteSpan bytes) : bytes_(bytes) {}

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }

  [[nodiscard]] bool Seek(std::size_t position) {
    if (position > bytes_.size()) return false;
    position_ = position;
    return true;
  }

  [[nodiscard]] bool Skip(std::size_t count) {
    if (count > Remaining()) return false;
    position_ += count;
    return true;
  }

  [[nodiscard]] std::optional<std::uint8_t> U8() {
    if (Remaining() < 1) return std::nullopt;
    return bytes_[position_++];
  }

  [[nodiscard]] std::optional<std::uint16_t> U16Le() {
    auto block = Block<2>();
    if (!block) return std::nullopt;
    return U16LeAt<0>(*block);
  }

  [[nodiscard]] std::optional<std::uint32_t> U32Le() {
    auto block = Block<4>();
    if (!block) return std::nullopt;
    return U32LeAt<0>(*block);
  }

  template <std::size_t N>
  [[nodiscard]] std::optional<ByteBlock<N>> Block() {
    if (Remaining() < N) return std::nullopt;
    ByteBlock<N> block;
    for (std::size_t i = 0; i < N; ++i) block[i] = bytes_[position_ + i];
    position_ += N;
    return block;
  }

  // The next `count` bytes, without copying.
  [[nodiscard]] std::optional<ByteSpan> Bytes(std::size_t count) {
    if (count > Remaining()) return std::nullopt;
    ByteSpan part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
  }

  // Up to `count` bytes: fewer when the data ends first.
  ByteSpan BytesUpTo(std::size_t count) {
    ByteSpan part = bytes_.subspan(position_, count < Remaining() ? count : Remaining());
    position_ += part.size();
    return part;
  }

 private:
  ByteSpan bytes_;
  std::size_t position_ = 0;
};
