#include "http/text_between.h"

namespace {

Text WithQuotesSpelledOut(const Text& marker) {
  return ReplaceSubtext(marker, "#引号", "\"", std::nullopt, std::nullopt, true);
}

}  // namespace

Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker, int startPos,
                 bool ignoreCase) {
  const Text left = WithQuotesSpelledOut(leftMarker);
  const Text right = WithQuotesSpelledOut(rightMarker);
  const int leftAt = FindText(text, left, startPos, ignoreCase);
  if (leftAt == -1) {
    return Text();
  }
  // The right marker is sought from the first byte after the left one, so
  // the two never overlap and a right marker before the left one is ignored.
  const int begin = leftAt + TextLength(left);
  const int end = FindText(text, right, begin, ignoreCase);
  if (end == -1) {
    return Text();
  }
  return TextMid(text, begin, end - begin);
}
