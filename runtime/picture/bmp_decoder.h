#pragma once
// BMP pictures, in a file of their own or inside an icon or cursor.

#include <optional>

#include "runtime/picture/bmp_header.h"
#include "runtime/picture/picture.h"

// Core, OS/2 version 2, info, V4 and V5 headers; 1, 2, 4, 8, 16, 24 and 32
// bits per pixel; RLE4, RLE8 and bit fields; rows bottom-up or top-down.
// From an icon, the AND mask makes its pixels transparent, unless 32-bit
// pixels carry an alpha channel of their own.
std::optional<PictureFrame> DecodeBmp(ByteSpan bytes, BmpSource source);
