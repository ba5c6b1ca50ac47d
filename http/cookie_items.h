#pragma once
// Items of a cookie text: name=value pairs joined by a separator.

#include "runtime/text/text.h"

// The text before the item's first "=", trimmed of spaces; an item without
// "=" is its own name.
Text CookieName(const Text& item);

// Whether some element of list has that name; names compare byte for byte.
bool ContainsCookieName(const TextArray& list, const Text& name);

// The number of the first element equal to text, or -1.
int IndexOfItem(const TextArray& array, const Text& text);

// The items of text, split at separator, with every repeat of an identical
// item left out, joined by separator again.
Text RemoveDuplicateItems(const Text& text, const Text& separator);
