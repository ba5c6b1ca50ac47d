#include "inet/request_target.h"

std::string RequestTarget(std::string_view objectName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string target;
  target.reserve(objectName.size() + 1);
  if (objectName.empty() || objectName.front() != '/') target += '/';
  for (char c : objectName) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      target += '%';
      target += kHex[byte >> 4];
      target += kHex[byte & 0x0F];
    } else {
      target += c;
    }
  }
  return target;
}
