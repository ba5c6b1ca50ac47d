#pragma once

#include <string>
#include <string_view>

// The object name as it goes into the request line: a space, a control byte
// or a byte of 0x80 and above becomes "%XX"; every other byte, "%" and "#"
// included, stays as given. A name that does not begin with "/" gets one.
std::string RequestTarget(std::string_view objectName);

// The same encoding alone, for addresses that servers write into Location.
std::string EncodeUnsafeBytes(std::string_view text);
