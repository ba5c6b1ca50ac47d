// The icon and cursor decoder.

#include "fuzz/fuzz_check.h"
#include "runtime/picture/icon_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto frame = DecodeIcon(ByteSpan(data, size))) CheckFrame(*frame);
  return 0;
}
