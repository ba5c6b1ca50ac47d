#include "runtime/text/character_walk.h"

#include "runtime/text/text_result.h"

namespace {

char FoldAscii(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 0x20) : byte; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsCharacterStart(std::string_view text, std::size_t boundary, std::size_t position) {
  // A byte below 0x80 always ends a character, so the walk visits the byte
  // after it; from there only a run of lead bytes precedes `position`, and
  // the walk takes them in pairs.
  std::size_t i = position;
  while (i > boundary && IsLeadByte(text[i - 1])) --i;
  return (position - i) % 2 == 0;
}

std::size_t WalkFind(std::string_view text, std::size_t from, std::size_t coveredEnd,
                     std::string_view sought, bool ignoreCase) {
  const std::size_t m = sought.size();
  if (coveredEnd > text.size()) coveredEnd = text.size();
  if (from >= coveredEnd || coveredEnd - from < m) return kNotFound;
  const std::size_t last = coveredEnd - m;  // the last candidate the walk reaches

  if (ignoreCase) {
    for (std::size_t i = from; i <= last; i += IsLeadByte(text[i]) ? 2 : 1) {
      if (EqualIgnoringAsciiCase(text.substr(i, m), sought)) return i;
    }
    return kNotFound;
  }

  // Let the library's search find byte matches, then keep only those that
  // begin a character. `boundary` is always a position the walk visits, so
  // each check looks back no further than the previous candidate.
  std::size_t boundary = from;
  for (std::size_t p = from;;) {
    p = text.find(sought, p);
    if (p == kNotFound || p > last) return kNotFound;
    if (IsCharacterStart(text, boundary, p)) return p;
    boundary = p + 1;  // p is a second byte, so a character begins right after it
    p = boundary;
  }
}
