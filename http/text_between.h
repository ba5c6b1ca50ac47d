#pragma once

#include "runtime/text/text.h"

// The bytes between the first leftMarker found at or after startPos and the
// first rightMarker after it; the empty text when either is missing. In both
// markers "#引号" stands for a double quote, so callers can write one where
// quoting is awkward. Matches begin only where a character begins, and
// ignoreCase concerns ASCII letters only.
Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker, int startPos = 0,
                 bool ignoreCase = false);
