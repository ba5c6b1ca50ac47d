#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

int TextLength(const Text& text) { return static_cast<int>(text.View().size()); }

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return Text();
  return TextResult(text.View().substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
  std::string_view bytes = text.View();
  if (n <= 0) return Text();
  if (static_cast<std::size_t>(n) >= bytes.size()) return TextResult(bytes);
  return TextResult(bytes.substr(bytes.size() - static_cast<std::size_t>(n)));
}

Text TextMid(const Text& text, int start, int n) {
  std::string_view bytes = text.View();
  if (start < 1 || static_cast<std::size_t>(start) > bytes.size() || n <= 0) return Text();
  return TextResult(bytes.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}
