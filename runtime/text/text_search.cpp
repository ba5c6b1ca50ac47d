#include <algorithm>

#include "runtime/text/character_walk.h"
#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

int FindText(const Text& text, const Text& sought, int start, bool ignoreCase) {
  std::string_view bytes = text.View();
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= bytes.size()) return -1;
  if (sought.View().empty()) return 1;
  std::size_t found = WalkFind(bytes, from, bytes.size(), sought.View(), ignoreCase);
  return found == kNotFound ? -1 : static_cast<int>(found) + 1;
}

int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start, bool ignoreCase) {
  std::string_view bytes = text.View();
  std::size_t covered = bytes.size();
  if (start) {
    if (*start <= 1) return -1;
    covered = std::min(covered, static_cast<std::size_t>(*start) - 1);
  }
  if (covered == 0) return -1;
  if (sought.View().empty()) return 1;

  // The occurrences are those of the walk from the first byte; keep the last.
  std::size_t last = kNotFound;
  for (std::size_t from = 0;;) {
    std::size_t found = WalkFind(bytes, from, covered, sought.View(), ignoreCase);
    if (found == kNotFound) break;
    last = found;
    from = found + (IsLeadByte(bytes[found]) ? 2 : 1);
  }
  return last == kNotFound ? -1 : static_cast<int>(last) + 1;
}
