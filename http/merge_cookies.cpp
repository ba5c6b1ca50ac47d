#include "http/merge_cookies.h"

#include "http/cookie_items.h"

Text MergeCookies(Text& cookies, Text& newCookies) {
  cookies = RemoveAllSpaces(cookies);
  newCookies = RemoveAllSpaces(newCookies);
  const TextArray old = SplitText(cookies, ";");
  TextArray merged = SplitText(newCookies, ";");
  // merged grows inside the loop, so an old item is also dropped when an
  // earlier old item with its name was carried over.
  const int oldCount = ArraySize(old);
  for (int i = 1; i <= oldCount; ++i) {
    if (!ContainsCookieName(merged, CookieName(old[i]))) {
      ArrayAppend(merged, old[i]);
    }
  }
  Text joined("");
  for (const Text& item : merged) {
    if (CompareText(TextRight(item, 8), "=deleted") != 0) {
      AppendText(joined, item.View());
      AppendText(joined, "; ");
    }
  }
  cookies = TextLeft(joined, TextLength(joined) - 2);
  cookies = RemoveDuplicateItems(cookies, "; ");
  return cookies;
}
