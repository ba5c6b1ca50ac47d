#pragma once
// A large page of mixed ASCII and GBK text, lines ended by CR LF, for the
// benchmarks of the text operations.

#include <cstddef>
#include <string>
#include <string_view>

// About `size` bytes of HTML-like lines with `tail` placed `tailOffset` bytes
// before the end. The lines hold no anchor, so a search for one finds `tail`.
std::string MakeMixedPage(std::size_t size, std::string_view tail, std::size_t tailOffset);
