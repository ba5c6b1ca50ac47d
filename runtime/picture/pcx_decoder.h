#pragma once
// PCX pictures: 8 bits per pixel with the 256-colour palette at the end (or
// three planes of red, green and blue), and 1 bit per pixel in black and
// white. Scan lines are run-length coded.

#include <optional>

#include "runtime/picture/byte_reader.h"
#include "runtime/picture/picture.h"

std::optional<PictureFrame> DecodePcx(ByteSpan bytes);
