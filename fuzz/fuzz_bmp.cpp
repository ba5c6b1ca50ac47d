// The BMP decoder, as a file and as an image inside an icon.

#include "fuzz/fuzz_check.h"
#include "runtime/picture/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (BmpSource source : {BmpSource::File, BmpSource::Icon}) {
    if (auto frame = DecodeBmp(ByteSpan(data, size), source)) CheckFrame(*frame);
  }
  return 0;
}
