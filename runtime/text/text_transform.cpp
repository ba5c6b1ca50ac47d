#include <algorithm>
#include <limits>

#include "runtime/text/character_walk.h"
#include "runtime/text/text.h"
#include "runtime/text/text_result.h"

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();

// Omitted: no limit; negative counts as 0.
int LimitOf(std::optional<int> count) { return count ? std::max(*count, 0) : kNoLimit; }

bool IsUnpairedLead(std::string_view bytes, std::size_t i) {
  return IsLeadByte(bytes[i]) && i + 1 == bytes.size();
}

// Length of the space character at i: 1 for 0x20, 2 for the full-width
// space 0xA1 0xA1, 0 for anything else.
std::size_t SpaceLength(std::string_view bytes, std::size_t i) {
  if (bytes[i] == ' ') return 1;
  if (bytes[i] == '\xA1' && i + 1 < bytes.size() && bytes[i + 1] == '\xA1') return 2;
  return 0;
}

}  // namespace

Text ReplaceSubtext(const Text& text, const Text& sub, const Text& replacement,
                    std::optional<int> start, std::optional<int> count, bool caseSensitive) {
  std::string_view bytes = text.View();
  std::string_view sought = sub.View();
  const std::size_t from = (start && *start > 1) ? static_cast<std::size_t>(*start) - 1 : 0;
  const int limit = LimitOf(count);
  if (bytes.empty() || sought.empty() || from >= bytes.size() || limit == 0) return TextResult(bytes);

  std::string out(bytes.substr(0, from));
  std::size_t i = from;
  for (int done = 0; i < bytes.size(); ++done) {
    if (done == limit) break;
    std::size_t found = WalkFind(bytes, i, bytes.size(), sought, !caseSensitive);
    if (found == kNotFound) {
      // The walk reaches a lone lead byte at the end only when sub is one
      // byte long; that byte is dropped.
      std::size_t end = bytes.size() - 1;
      if (sought.size() == 1 && IsLeadByte(bytes[end]) && IsCharacterStart(bytes, i, end)) {
        out.append(bytes.substr(i, end - i));
        return TextResult(std::move(out));
      }
      break;
    }
    out.append(bytes.substr(i, found - i));
    out.append(replacement.View());
    i = found + sought.size();
  }
  if (i < bytes.size()) out.append(bytes.substr(i));
  return TextResult(std::move(out));
}

TextArray SplitText(const Text& text, const Text& separator, std::optional<int> count) {
  TextArray pieces;
  std::string_view bytes = text.View();
  std::string_view sep = separator.View();
  const int limit = LimitOf(count);
  if (bytes.empty() || limit == 0) return pieces;
  if (sep.empty()) {
    pieces.Append(TextResult(bytes));
    return pieces;
  }
  std::size_t i = 0;
  while (pieces.Size() < limit) {
    std::size_t found = WalkFind(bytes, i, bytes.size(), sep, false);
    if (found == kNotFound) {
      if (i < bytes.size()) pieces.Append(TextResult(bytes.substr(i)));
      break;
    }
    pieces.Append(TextResult(bytes.substr(i, found - i)));
    i = found + sep.size();
  }
  return pieces;
}

Text ToLowerCase(const Text& text) {
  std::string out(text.View());
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(out[i])) {
      ++i;  // the second byte of a two-byte character is never changed
    } else if (out[i] >= 'A' && out[i] <= 'Z') {
      out[i] = static_cast<char>(out[i] + 0x20);
    }
  }
  return TextResult(std::move(out));
}

Text TrimBothEnds(const Text& text) {
  std::string_view bytes = text.View();
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t space = SpaceLength(bytes, begin);
    if (space == 0) break;
    begin += space;
  }
  std::size_t end = bytes.size();
  std::size_t runStart = kNotFound;
  for (std::size_t i = begin; i < bytes.size();) {
    if (std::size_t space = SpaceLength(bytes, i)) {
      if (runStart == kNotFound) runStart = i;
      i += space;
    } else if (IsUnpairedLead(bytes, i)) {
      // Cut at the lone lead byte; spaces before it stay.
      runStart = kNotFound;
      end = i;
      break;
    } else {
      runStart = kNotFound;
      i += IsLeadByte(bytes[i]) ? 2 : 1;
    }
  }
  if (runStart != kNotFound) end = runStart;
  return TextResult(bytes.substr(begin, end - begin));
}

Text RemoveAllSpaces(const Text& text) {
  std::string_view bytes = text.View();
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    if (std::size_t space = SpaceLength(bytes, i)) {
      i += space;
    } else if (IsUnpairedLead(bytes, i)) {
      break;
    } else {
      std::size_t length = IsLeadByte(bytes[i]) ? 2 : 1;
      out.append(bytes.substr(i, length));
      i += length;
    }
  }
  return TextResult(std::move(out));
}
