#pragma once

#include "runtime/text/text.h"

// Merges the cookies that a response set (newCookies) into a cookie text
// (cookies), both items joined by ";" with or without spaces. The new items
// come first, in their order; then each old item whose name neither a new
// item nor an earlier old item has. Items ending in "=deleted" are left
// out, spaces are removed everywhere and identical items kept once.
// cookies receives the merged text, joined by "; ", and newCookies its own
// value without spaces; the result is a copy of cookies. Both may be one
// variable: the merge then normalises that text.
Text MergeCookies(Text& cookies, Text& newCookies);
