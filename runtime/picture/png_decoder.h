#pragma once
// PNG pictures through libpng's simplified reading interface.

#include <optional>

#include "runtime/picture/byte_reader.h"
#include "runtime/picture/picture.h"

std::optional<PictureFrame> DecodePng(ByteSpan bytes);
