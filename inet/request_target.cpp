#include "inet/request_target.h"

std::string EncodeUnsafeBytes(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

std::string RequestTarget(std::string_view objectName) {
  std::string encoded = EncodeUnsafeBytes(objectName);
  return encoded.empty() || encoded.front() != '/' ? "/" + encoded : encoded;
}
