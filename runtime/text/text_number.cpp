#include <cstdint>
#include <string>

#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

namespace {

// Full-width forms of the printable ASCII characters, and the two kinds of
// full-width space, tilde and asterisk, become their ASCII bytes.
std::string NormaliseFullWidth(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    if (!IsLeadByte(bytes[i]) || i + 1 == bytes.size()) {
      out.push_back(bytes[i++]);
      continue;
    }
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      out.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out.push_back('*');
    } else {
      out.append(bytes.substr(i, 2));
    }
    i += 2;
  }
  return out;
}

}  // namespace

std::int32_t ToInteger(const Text& text) {
  const std::string bytes = NormaliseFullWidth(text.View());
  std::size_t i = 0;
  while (i < bytes.size() && (bytes[i] == ' ' || (bytes[i] >= '\t' && bytes[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-')) negative = bytes[i++] == '-';
  // 32-bit two's-complement arithmetic that wraps instead of overflowing.
  std::uint32_t value = 0;
  for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(bytes[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}
