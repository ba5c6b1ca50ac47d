// The PNG decoder over libpng's simplified interface.

#include "fuzz/fuzz_check.h"
#include "runtime/picture/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto frame = DecodePng(ByteSpan(data, size))) CheckFrame(*frame);
  return 0;
}
