#pragma once

#include <string_view>

// Whether text can stand as the host of a URL: letters, digits, "-", "."
// and "_", or an IPv6 address in brackets. Anything else (a space, "?",
// "@", a GBK byte) would change what the URL means.
bool IsHostName(std::string_view text);
