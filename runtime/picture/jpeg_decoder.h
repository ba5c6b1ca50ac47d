#pragma once
// JPEG pictures through libjpeg: colour (three components) and grey-scale.
// Other colour spaces (CMYK, YCCK) are refused.

#include <optional>

#include "runtime/picture/byte_reader.h"
#include "runtime/picture/picture.h"

std::optional<PictureFrame> DecodeJpeg(ByteSpan bytes);
