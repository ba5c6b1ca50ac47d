#include "tests/picture/picture_writers.h"

#include <algorithm>
#include <unordered_map>

void AppendLe16(ByteVector& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendLe32(ByteVector& bytes, std::uint32_t value) {
  AppendLe16(bytes, static_cast<std::uint16_t>(value));
  AppendLe16(bytes, static_cast<std::uint16_t>(value >> 16));
}

void AppendText(ByteVector& bytes, std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

ByteVector MakeBmp(const BmpFields& fields) {
  ByteVector header;
  if (fields.headerSize == 12) {
    AppendLe32(header, 12);                                       // header size
    AppendLe16(header, static_cast<std::uint16_t>(fields.width));   // width
    AppendLe16(header, static_cast<std::uint16_t>(fields.height));  // height
    AppendLe16(header, fields.planes);                            // planes
    AppendLe16(header, fields.bitCount);                          // bits per pixel
  } else {
    AppendLe32(header, fields.headerSize);                           // header size
    AppendLe32(header, static_cast<std::uint32_t>(fields.width));    // width
    AppendLe32(header, static_cast<std::uint32_t>(fields.height));   // height, negative for top-down
    AppendLe16(header, fields.planes);                               // planes
    AppendLe16(header, fields.bitCount);                             // bits per pixel
    AppendLe32(header, fields.compression);                          // compression
    AppendLe32(header, static_cast<std::uint32_t>(fields.pixels.size()));  // image size
    AppendLe32(header, 2835);                                        // horizontal pixels per metre
    AppendLe32(header, 2835);                                        // vertical pixels per metre
    AppendLe32(header, fields.coloursUsed);                          // colours used
    AppendLe32(header, 0);                                           // colours important
    header.resize(std::max<std::size_t>(fields.headerSize, header.size()), 0);
  }
  const std::size_t dataStart = 14 + header.size() + fields.masks.size() + fields.palette.size();
  ByteVector bytes;
  AppendText(bytes, "BM");                                                   // signature
  AppendLe32(bytes, static_cast<std::uint32_t>(dataStart + fields.pixels.size()));  // file size
  AppendLe32(bytes, 0);                                                      // reserved
  AppendLe32(bytes, fields.pixelOffset.value_or(static_cast<std::uint32_t>(dataStart)));  // pixel offset
  bytes.insert(bytes.end(), header.begin(), header.end());
  bytes.insert(bytes.end(), fields.masks.begin(), fields.masks.end());
  bytes.insert(bytes.end(), fields.palette.begin(), fields.palette.end());
  bytes.insert(bytes.end(), fields.pixels.begin(), fields.pixels.end());
  return bytes;
}

namespace {

class BitWriter {
 public:
  void Write(int code, int size) {
    bits_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += size;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  ByteVector Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_));
    return bytes_;
  }

 private:
  ByteVector bytes_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

// Palettes are written with 2 << n entries; returns n.
int PaletteSizeField(std::size_t entries) {
  int field = 0;
  while ((std::size_t{2} << field) < entries) ++field;
  return field;
}

void AppendPalette(ByteVector& bytes, const std::vector<std::uint32_t>& palette) {
  const std::size_t entries = std::size_t{2} << PaletteSizeField(palette.size());
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint32_t rgb = i < palette.size() ? palette[i] : 0;
    bytes.push_back(static_cast<std::uint8_t>(rgb >> 16));
    bytes.push_back(static_cast<std::uint8_t>(rgb >> 8));
    bytes.push_back(static_cast<std::uint8_t>(rgb));
  }
}

std::vector<std::uint8_t> InterlaceOrder(const GifImageFields& image) {
  std::vector<std::uint8_t> ordered;
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < image.height; y += kStep[pass]) {
      const auto row = image.indices.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
      ordered.insert(ordered.end(), row, row + image.width);
    }
  }
  return ordered;
}

}  // namespace

// Mirrors the decoder: the code size grows once the next free code reaches
// it, and a full table is cleared.
ByteVector EncodeGifLzw(const std::vector<std::uint8_t>& indices, int minCodeSize) {
  const int clearCode = 1 << minCodeSize;
  BitWriter writer;
  std::unordered_map<std::uint32_t, int> table;
  int codeSize = minCodeSize + 1;
  int nextCode = clearCode + 2;
  auto output = [&](int code) {
    writer.Write(code, codeSize);
    if (nextCode >= (1 << codeSize) && codeSize < 12) ++codeSize;
  };
  auto clear = [&] {
    writer.Write(clearCode, codeSize);
    table.clear();
    codeSize = minCodeSize + 1;
    nextCode = clearCode + 2;
  };
  clear();
  if (indices.empty()) {
    output(clearCode + 1);
    return writer.Finish();
  }
  int prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | indices[i];
    if (auto found = table.find(key); found != table.end()) {
      prefix = found->second;
      continue;
    }
    output(prefix);
    prefix = indices[i];
    if (nextCode >= 4095) {
      clear();
    } else {
      table[key] = nextCode++;
    }
  }
  output(prefix);
  output(clearCode + 1);
  return writer.Finish();
}

ByteVector MakeGif(const GifFields& fields) {
  ByteVector bytes;
  AppendText(bytes, "GIF89a");                                  // signature and version
  AppendLe16(bytes, static_cast<std::uint16_t>(fields.width));   // screen width
  AppendLe16(bytes, static_cast<std::uint16_t>(fields.height));  // screen height
  bytes.push_back(fields.globalPalette.empty()
                      ? 0
                      : static_cast<std::uint8_t>(0x80 | PaletteSizeField(fields.globalPalette.size())));  // flags
  bytes.push_back(0);                                           // background index
  bytes.push_back(0);                                           // aspect ratio
  if (!fields.globalPalette.empty()) AppendPalette(bytes, fields.globalPalette);

  for (const GifImageFields& image : fields.images) {
    if (image.graphicControl) {
      bytes.insert(bytes.end(), {0x21, 0xF9, 4});  // extension, graphic control, block size
      bytes.push_back(static_cast<std::uint8_t>(image.disposal << 2 | (image.transparentIndex >= 0 ? 1 : 0)));  // flags
      AppendLe16(bytes, static_cast<std::uint16_t>(image.delay));                                             // delay
      bytes.push_back(static_cast<std::uint8_t>(std::max(image.transparentIndex, 0)));  // transparent index
      bytes.push_back(0);                                                                // terminator
    }
    bytes.push_back(0x2C);                                           // image separator
    AppendLe16(bytes, static_cast<std::uint16_t>(image.left));       // left
    AppendLe16(bytes, static_cast<std::uint16_t>(image.top));        // top
    AppendLe16(bytes, static_cast<std::uint16_t>(image.width));      // width
    AppendLe16(bytes, static_cast<std::uint16_t>(image.height));     // height
    std::uint8_t flags = image.interlaced ? 0x40 : 0;
    if (!image.localPalette.empty()) flags |= static_cast<std::uint8_t>(0x80 | PaletteSizeField(image.localPalette.size()));
    bytes.push_back(flags);                                          // flags
    if (!image.localPalette.empty()) AppendPalette(bytes, image.localPalette);
    bytes.push_back(static_cast<std::uint8_t>(image.minCodeSize));  // LZW minimum code size
    const ByteVector codes = EncodeGifLzw(image.interlaced ? InterlaceOrder(image) : image.indices, image.minCodeSize);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
      const std::size_t size = std::min<std::size_t>(255, codes.size() - at);
      bytes.push_back(static_cast<std::uint8_t>(size));  // sub-block size
      bytes.insert(bytes.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
                   codes.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    bytes.push_back(0);  // end of the image's sub-blocks
  }
  bytes.push_back(0x3B);  // trailer
  return bytes;
}

ByteVector MakePcx(const PcxFields& fields) {
  ByteVector bytes;
  bytes.push_back(0x0A);                 // maker
  bytes.push_back(fields.version);       // version
  bytes.push_back(1);                    // run-length coding
  bytes.push_back(fields.bitsPerPixel);  // bits per pixel and plane
  AppendLe16(bytes, fields.xMin);        // x min
  AppendLe16(bytes, fields.yMin);        // y min
  AppendLe16(bytes, fields.xMax);        // x max
  AppendLe16(bytes, fields.yMax);        // y max
  AppendLe16(bytes, 72);                 // horizontal resolution
  AppendLe16(bytes, 72);                 // vertical resolution
  bytes.resize(bytes.size() + 48, 0);    // 16-colour palette
  bytes.push_back(0);                    // reserved
  bytes.push_back(fields.planes);        // planes
  AppendLe16(bytes, fields.bytesPerLine);  // bytes per plane line
  AppendLe16(bytes, 1);                  // palette kind
  bytes.resize(128, 0);                  // screen size and filler
  bytes.insert(bytes.end(), fields.data.begin(), fields.data.end());
  if (fields.palette) {
    bytes.push_back(0x0C);  // palette marker
    for (std::size_t i = 0; i < 256; ++i) {
      const std::uint32_t rgb = i < fields.palette->size() ? (*fields.palette)[i] : 0;
      bytes.insert(bytes.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                 static_cast<std::uint8_t>(rgb)});
    }
  }
  return bytes;
}

ByteVector MakeIcon(std::uint16_t type, const std::vector<IconEntryFields>& entries,
                    std::optional<std::uint16_t> count) {
  ByteVector bytes;
  AppendLe16(bytes, 0);                                                         // reserved
  AppendLe16(bytes, type);                                                      // 1 icon, 2 cursor
  AppendLe16(bytes, count.value_or(static_cast<std::uint16_t>(entries.size())));  // image count
  std::size_t offset = 6 + 16 * entries.size();
  for (const IconEntryFields& entry : entries) {
    bytes.insert(bytes.end(), {0, 0, 0, 0});  // width, height, colour count, reserved: unused
    AppendLe16(bytes, 1);                     // planes or hot spot x
    AppendLe16(bytes, 32);                    // bit count or hot spot y
    AppendLe32(bytes, entry.size.value_or(static_cast<std::uint32_t>(entry.image.size())));  // size
    AppendLe32(bytes, entry.offset.value_or(static_cast<std::uint32_t>(offset)));            // offset
    offset += entry.image.size();
  }
  for (const IconEntryFields& entry : entries) bytes.insert(bytes.end(), entry.image.begin(), entry.image.end());
  return bytes;
}

ByteVector MakeIconBmp(BmpFields fields, const ByteVector& andMask) {
  fields.height *= 2;
  fields.pixels.insert(fields.pixels.end(), andMask.begin(), andMask.end());
  ByteVector bytes = MakeBmp(fields);
  return ByteVector(bytes.begin() + 14, bytes.end());
}
