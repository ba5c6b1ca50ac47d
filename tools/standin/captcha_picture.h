#pragma once
// The stand-in's captcha: a small PNG that shows a code legibly.

#include <string>
#include <string_view>

// The characters a code is made of: no 0/O, 1/I/L, which a reader confuses.
inline constexpr std::string_view kCaptchaAlphabet = "ABCDEFGHJKMNPQRSTUVWXYZ23456789";

// An 85 x 34 PNG of `code` (characters of kCaptchaAlphabet), dark on light
// with a little noise.
std::string RenderCaptchaPng(std::string_view code, unsigned noiseSeed);
