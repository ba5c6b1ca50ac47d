#pragma once
// The pixel stages of the BMP decoder, after ReadBmpHeader.

#include <optional>

#include "runtime/picture/bmp_header.h"
#include "runtime/picture/picture.h"

// Uncompressed rows: palette indices, 24-bit BGR or bit fields. Nullopt
// when the data is cut short (a missing pad after the last row is
// tolerated), found out before the frame is allocated.
std::optional<PictureFrame> DecodeBmpRows(ByteSpan bytes, const BmpHeader& header);

// RLE8 or RLE4 data. Decodes what is there: pixels that the data skips or
// never reaches are transparent black.
std::optional<PictureFrame> DecodeBmpRle(ByteSpan bytes, const BmpHeader& header);
