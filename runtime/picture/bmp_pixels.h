#pragma once
// The pixel stages of the BMP decoder, after ReadBmpHeader.

#include "runtime/picture/bmp_header.h"
#include "runtime/picture/picture.h"

// Uncompressed rows (palette indices, 24-bit BGR or bit fields) into the
// frame, which has the header's size. False when the data is cut short
// (a missing pad after the last row is tolerated).
bool DecodeBmpRows(ByteSpan bytes, const BmpHeader& header, PictureFrame& frame);

// RLE8 or RLE4 data into the frame. Decodes what is there: pixels that the
// data skips or never reaches keep the frame's transparent black.
void DecodeBmpRle(ByteSpan bytes, const BmpHeader& header, PictureFrame& frame);
