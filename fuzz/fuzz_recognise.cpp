// Recognition and the whole decoding path: the format of a decoded picture
// is the one that recognition announced.

#include <cstdlib>

#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PictureFormat format = RecognisePicture(data, size);
  auto picture = DecodePicture(data, size);
  if (!picture) return 0;
  if (picture->format != format || format == PictureFormat::None || picture->frames.empty()) std::abort();
  for (const PictureFrame& frame : picture->frames) CheckFrame(frame);
  return 0;
}
