#include "http/cookie_items.h"

Text CookieName(const Text& item) {
  const int equals = FindText(item, "=");
  return TrimBothEnds(equals == -1 ? item : TextLeft(item, equals - 1));
}

bool ContainsCookieName(const TextArray& list, const Text& name) {
  for (int k = 1; k <= ArraySize(list); ++k) {
    if (CompareText(CookieName(list[k]), name) == 0) {
      return true;
    }
  }
  return false;
}

int IndexOfItem(const TextArray& array, const Text& text) {
  for (int k = 1; k <= ArraySize(array); ++k) {
    if (CompareText(array[k], text) == 0) {
      return k;
    }
  }
  return -1;
}

Text RemoveDuplicateItems(const Text& text, const Text& separator) {
  TextArray seen;
  Text joined("");
  for (const Text& item : SplitText(text, separator)) {
    if (IndexOfItem(seen, item) == -1) {
      ArrayAppend(seen, item);
      AppendText(joined, item.View());
      AppendText(joined, separator.View());
    }
  }
  return TextLeft(joined, TextLength(joined) - TextLength(separator));
}
