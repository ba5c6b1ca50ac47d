// The JPEG decoder: libjpeg's errors must come back as a refusal.

#include "fuzz/fuzz_check.h"
#include "runtime/picture/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto frame = DecodeJpeg(ByteSpan(data, size))) CheckFrame(*frame);
  return 0;
}
