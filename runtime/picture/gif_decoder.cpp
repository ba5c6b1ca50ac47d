#include "runtime/picture/gif_decoder.h"

#include <utility>
#include <vector>

#include "runtime/picture/frame_allocation.h"
#include "runtime/picture/gif_canvas.h"
#include "runtime/picture/gif_lzw.h"

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kPaletteFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;

// Disposal methods that undo an image after its frame; the others keep it.
constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

// Applies to the next image only.
struct GraphicControl {
  int disposal = 0;
  int delay = 0;
  int transparentIndex = -1;
};

// A palette of 2 << (flags & 7) entries; indices past its end are opaque
// black.
bool ReadPalette(ByteReader& reader, std::uint8_t flags, GifPalette& palette) {
  const std::size_t count = std::size_t{2} << (flags & 7);
  auto entries = reader.Bytes(count * 3);
  if (!entries) return false;
  palette.fill(0xFF000000u);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* rgb = entries->data() + i * 3;
    palette[i] = 0xFF000000u | static_cast<std::uint32_t>(rgb[0]) << 16 | static_cast<std::uint32_t>(rgb[1]) << 8 | rgb[2];
  }
  return true;
}

// False when the data ends before the empty sub-block that closes them.
bool SkipSubBlocks(ByteReader& reader) {
  for (;;) {
    auto size = reader.U8();
    if (!size) return false;
    if (*size == 0) return true;
    if (!reader.Skip(*size)) return false;
  }
}

// Joins the sub-blocks into `joined`; false when the data ends first, with
// what there was in `joined`.
bool JoinSubBlocks(ByteReader& reader, std::vector<std::uint8_t>& joined) {
  joined.clear();
  for (;;) {
    auto size = reader.U8();
    if (!size) return false;
    if (*size == 0) return true;
    ByteSpan part = reader.BytesUpTo(*size);
    joined.insert(joined.end(), part.begin(), part.end());
    if (part.size() < *size) return false;
  }
}

std::optional<GraphicControl> ReadGraphicControl(ByteReader& reader) {
  GraphicControl control;
  auto size = reader.U8();
  if (!size) return std::nullopt;
  if (*size >= 4) {
    // 0 flags (disposal in bits 2-4, transparent index given in bit 0),
    // 1 delay, 3 transparent index
    auto fields = reader.Block<4>();
    if (!fields) return std::nullopt;
    const std::uint8_t flags = U8At<0>(*fields);
    control.disposal = (flags >> 2) & 7;
    control.delay = U16LeAt<1>(*fields);
    if (flags & 1) control.transparentIndex = U8At<3>(*fields);
  }
  if (!reader.Skip(*size >= 4 ? *size - 4 : *size) || !SkipSubBlocks(reader)) return std::nullopt;
  return control;
}

class GifDecoder {
 public:
  GifDecoder(ByteSpan bytes, const GifLimits& limits)
      : reader_(bytes), maxFrames_(limits.frames), framePixelsLeft_(limits.framePixels),
        imagePixelsLeft_(limits.imagePixels) {}

  std::optional<Picture> Decode() {
    if (!ReadScreen()) return std::nullopt;
    Picture picture;
    picture.format = PictureFormat::Gif;
    // A block that cannot be read ends the picture with the frames before it.
    while (picture.frames.size() < maxFrames_) {
      auto introducer = reader_.U8();
      if (!introducer || *introducer == kTrailer) break;
      if (*introducer == kExtensionIntroducer) {
        if (!ReadExtension()) break;
      } else if (*introducer != kImageSeparator || !ReadImage(picture)) {
        break;
      }
    }
    if (picture.frames.empty()) return std::nullopt;
    return picture;
  }

 private:
  bool ReadScreen() {
    // 0 "GIF87a" or "GIF89a", 6 screen width, 8 screen height, 10 flags
    // (global palette, its size), 11 background index, 12 aspect ratio
    auto header = reader_.Block<13>();
    if (!header || U8At<0>(*header) != 'G' || U8At<1>(*header) != 'I' || U8At<2>(*header) != 'F') return false;
    auto screen = NewPictureFrame(U16LeAt<6>(*header), U16LeAt<8>(*header));
    if (!screen) return false;
    screen_ = std::move(*screen);
    const std::uint8_t flags = U8At<10>(*header);
    hasGlobalPalette_ = flags & kPaletteFlag;
    return !hasGlobalPalette_ || ReadPalette(reader_, flags, globalPalette_);
  }

  bool ReadExtension() {
    auto label = reader_.U8();
    if (!label) return false;
    if (*label != kGraphicControlLabel) return SkipSubBlocks(reader_);
    auto control = ReadGraphicControl(reader_);
    if (!control) return false;
    control_ = *control;
    return true;
  }

  // Adds the image's frame; false when the picture ends with it or before it.
  bool ReadImage(Picture& picture) {
    // 0 left, 2 top, 4 width, 6 height, 8 flags (local palette, interlace,
    // palette size)
    auto descriptor = reader_.Block<9>();
    if (!descriptor) return false;
    const std::uint8_t flags = U8At<8>(*descriptor);
    GifImage image;
    image.left = U16LeAt<0>(*descriptor);
    image.top = U16LeAt<2>(*descriptor);
    image.width = U16LeAt<4>(*descriptor);
    image.height = U16LeAt<6>(*descriptor);
    image.interlaced = flags & kInterlaceFlag;
    image.transparentIndex = control_.transparentIndex;
    image.palette = hasGlobalPalette_ ? &globalPalette_ : nullptr;
    if (flags & kPaletteFlag) {
      if (!ReadPalette(reader_, flags, localPalette_)) return false;
      image.palette = &localPalette_;
    }
    auto minCodeSize = reader_.U8();
    if (!minCodeSize) return false;
    const bool complete = JoinSubBlocks(reader_, lzwData_);

    const std::int64_t area = std::int64_t{image.width} * image.height;
    const std::int64_t screenArea = std::int64_t{screen_.width} * screen_.height;
    const bool withinBounds = area <= kMaxPicturePixels && area <= imagePixelsLeft_ &&
                              (picture.frames.empty() || screenArea <= framePixelsLeft_);
    if (!image.palette || *minCodeSize < kMinGifLzwCodeSize || *minCodeSize > kMaxGifLzwCodeSize || !withinBounds) {
      return false;
    }
    imagePixelsLeft_ -= area;
    framePixelsLeft_ -= screenArea;
    indices_.resize(static_cast<std::size_t>(area));
    image.indices = std::span(indices_).first(DecodeGifLzw(lzwData_, *minCodeSize, indices_));

    if (!picture.frames.empty()) RestoreScreen(picture.frames.back());
    if (control_.disposal == kDisposeToPrevious) previous_ = screen_.pixels;
    DrawGifImage(image, screen_);
    // The screen becomes the frame; the next image, if any, starts from a
    // copy of it, so that the last frame is never copied.
    picture.frames.push_back(std::move(screen_));
    picture.frames.back().delayHundredths = control_.delay == 0 ? kDefaultGifDelay : control_.delay;
    disposal_ = control_.disposal;
    disposedArea_ = image;
    control_ = {};
    return complete;
  }

  // The screen as the last frame's disposal method leaves it.
  void RestoreScreen(const PictureFrame& last) {
    screen_.width = last.width;
    screen_.height = last.height;
    if (disposal_ == kDisposeToPrevious) {
      screen_.pixels = std::move(previous_);
      return;
    }
    screen_.pixels = last.pixels;
    if (disposal_ == kDisposeToBackground) ClearGifImageArea(disposedArea_, screen_);
  }

  ByteReader reader_;
  PictureFrame screen_;
  std::vector<std::uint32_t> previous_;
  GifPalette globalPalette_{};
  GifPalette localPalette_{};
  bool hasGlobalPalette_ = false;
  GraphicControl control_;
  int disposal_ = 0;  // of the last frame's image
  GifImage disposedArea_;
  std::vector<std::uint8_t> lzwData_;
  std::vector<std::uint8_t> indices_;
  std::size_t maxFrames_;
  std::int64_t framePixelsLeft_;
  std::int64_t imagePixelsLeft_;
};

}  // namespace

std::optional<Picture> DecodeGif(ByteSpan bytes, const GifLimits& limits) {
  return GifDecoder(bytes, limits).Decode();
}
