#include <new>
#include <utility>

#include "runtime/picture/bmp_decoder.h"
#include "runtime/picture/frame_allocation.h"
#include "runtime/picture/gif_decoder.h"
#include "runtime/picture/icon_decoder.h"
#include "runtime/picture/jpeg_decoder.h"
#include "runtime/picture/pcx_decoder.h"
#include "runtime/picture/picture.h"
#include "runtime/picture/png_decoder.h"

namespace {

std::optional<Picture> Still(PictureFormat format, std::optional<PictureFrame> frame) {
  if (!frame) return std::nullopt;
  return StillPicture(format, std::move(*frame));
}

std::optional<Picture> Decode(PictureFormat format, ByteSpan bytes) {
  switch (format) {
    case PictureFormat::Bmp: return Still(format, DecodeBmp(bytes, BmpSource::File));
    case PictureFormat::Jpeg: return Still(format, DecodeJpeg(bytes));
    case PictureFormat::Png: return Still(format, DecodePng(bytes));
    case PictureFormat::Icon:
    case PictureFormat::Cursor: return Still(format, DecodeIcon(bytes));
    case PictureFormat::Gif: return DecodeGif(bytes);
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1: return Still(format, DecodePcx(bytes));
    case PictureFormat::None: break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Picture> DecodePicture(const std::uint8_t* data, std::size_t size) {
  const PictureFormat format = RecognisePicture(data, size);
  if (format == PictureFormat::None) return std::nullopt;
  try {
    return Decode(format, ByteSpan(data, size));
  } catch (const std::bad_alloc&) {
    // Within the size limits, but more than the memory left: no picture.
    return std::nullopt;
  }
}
