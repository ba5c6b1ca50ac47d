#pragma once
// Icons and cursors: a directory of images, each a BMP without its file
// header or a PNG. The one shown is the largest, deepest image: the largest
// area, then the most bits per pixel, then the first in the directory.

#include <optional>

#include "runtime/picture/byte_reader.h"
#include "runtime/picture/picture.h"

std::optional<PictureFrame> DecodeIcon(ByteSpan bytes);
