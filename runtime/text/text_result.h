#pragma once
// Shared by the operations' implementations: an empty result is the absent
// text.

#include <string>
#include <string_view>

#include "runtime/text/text.h"

inline Text TextResult(std::string_view bytes) { return bytes.empty() ? Text() : Text(bytes); }
inline Text TextResult(std::string&& bytes) { return bytes.empty() ? Text() : Text(std::move(bytes)); }

inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }
