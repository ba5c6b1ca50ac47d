#include <string>

#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

Text CharFromCode(int code) {
  const char byte = static_cast<char>(code & 0xFF);
  return byte == '\0' ? Text() : Text(std::string(1, byte));
}

Text BlankText(int n) { return n < 1 ? Text() : Text(std::string(static_cast<std::size_t>(n), ' ')); }

Text ConcatText(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::string out;
  out.reserve(total);
  for (std::string_view part : parts) out.append(part);
  return Text(std::move(out));
}

int CompareText(const Text& a, const Text& b) {
  // std::string_view compares as unsigned char.
  const int order = a.View().compare(b.View());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
