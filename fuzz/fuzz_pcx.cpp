// The PCX decoder.

#include "fuzz/fuzz_check.h"
#include "runtime/picture/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto frame = DecodePcx(ByteSpan(data, size))) CheckFrame(*frame);
  return 0;
}
