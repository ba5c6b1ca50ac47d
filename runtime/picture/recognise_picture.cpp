#include <cstring>

#include "runtime/picture/picture.h"

namespace {

std::uint16_t WordAt(const std::uint8_t* data, int index) {
  return static_cast<std::uint16_t>(data[index * 2] | data[index * 2 + 1] << 8);
}

}  // namespace

// The first rule that matches decides, in this order.
PictureFormat RecognisePicture(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 8) return PictureFormat::None;
  if (data[0] == 'B' && data[1] == 'M') return PictureFormat::Bmp;
  if (data[0] == 0xFF && data[1] == 0xD8) return PictureFormat::Jpeg;
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return PictureFormat::Png;
  // Icons and cursors: reserved 0, type 1 or 2, a non-zero image count.
  if (WordAt(data, 0) == 0 && WordAt(data, 1) == 1 && WordAt(data, 2) > 0) return PictureFormat::Icon;
  if (WordAt(data, 0) == 0 && WordAt(data, 1) == 2 && WordAt(data, 2) > 0) return PictureFormat::Cursor;
  if (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0) return PictureFormat::Gif;
  // PCX: maker 0x0A, version, run-length coding 1, bits per pixel.
  if (data[0] == 0x0A && data[1] <= 5 && data[2] == 0x01 && data[3] == 0x08) return PictureFormat::Pcx8;
  if (data[0] == 0x0A && data[1] == 0x03 && data[2] == 0x01 && data[3] == 0x01) return PictureFormat::Pcx1;
  return PictureFormat::None;
}
