#include <algorithm>

#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

int BytesLength(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes BytesLeft(const Bytes& bytes, int n) {
  if (n <= 0) return {};
  return Bytes(bytes.begin(), bytes.begin() + std::min<std::ptrdiff_t>(n, std::ssize(bytes)));
}

Bytes BlankBytes(int n) { return n <= 0 ? Bytes() : Bytes(static_cast<std::size_t>(n), 0); }

Bytes ConcatBytes(std::initializer_list<const Bytes*> parts) {
  std::size_t total = 0;
  for (const Bytes* part : parts) total += part->size();
  Bytes out;
  out.reserve(total);
  for (const Bytes* part : parts) out.insert(out.end(), part->begin(), part->end());
  return out;
}

void AppendBytes(Bytes& bytes, const std::uint8_t* more, std::size_t count) {
  bytes.insert(bytes.end(), more, more + count);
}

bool CompareBytes(const Bytes& a, const Bytes& b) { return a == b; }

Bytes TextToBytes(const Text& text) { return Bytes(text.View().begin(), text.View().end()); }

Text BytesToText(const Bytes& bytes) {
  std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return TextResult(view.substr(0, view.find('\0')));
}
