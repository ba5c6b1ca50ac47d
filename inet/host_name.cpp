#include "inet/host_name.h"

#include <algorithm>

namespace {

bool IsNameByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_';
}

bool IsIpv6Byte(unsigned char c) {
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' ||
         c == '.';
}

}  // namespace

bool IsHostName(std::string_view text) {
  if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
    std::string_view inside = text.substr(1, text.size() - 2);
    return std::all_of(inside.begin(), inside.end(), [](char c) { return IsIpv6Byte(c); });
  }
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return IsNameByte(c); });
}
