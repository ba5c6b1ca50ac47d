#include "http/text_after_colon.h"

Text TextAfterColon(const Text& text) {
  const int colon = FindText(text, ":");
  if (colon == -1) {
    return Text();
  }
  return TrimBothEnds(TextRight(text, TextLength(text) - colon));
}
