#pragma once

#include "runtime/text/text.h"

// Everything after the first colon, without leading and trailing spaces
// (0x20 and the full-width space; tabs and line breaks stay). The empty text
// when there is no colon.
Text TextAfterColon(const Text& text);
