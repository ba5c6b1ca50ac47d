// The GIF decoder: the first frame, then every frame.

#include <cstdlib>

#include "fuzz/fuzz_check.h"
#include "runtime/picture/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto picture = DecodeGif(ByteSpan(data, size));
  if (!picture) return 0;
  if (picture->frames.empty() || picture->frames.size() > GifLimits{}.frames) std::abort();
  for (const PictureFrame& frame : picture->frames) {
    CheckFrame(frame);
    if (frame.width != picture->frames.front().width || frame.height != picture->frames.front().height ||
        frame.delayHundredths <= 0) {
      std::abort();
    }
  }
  return 0;
}
