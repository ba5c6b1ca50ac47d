#pragma once

#include "runtime/text/text.h"

// The agent for a request with these extra headers: DefaultUserAgent when no
// "User-Agent:" appears in them (in any letter case); else the trimmed value
// between "User-Agent:" and the next CR LF, which needs that exact case and
// a line break after it; failing that, the trimmed text after the block's
// first colon.
Text RequestAgent(const Text& extraHeaders);
