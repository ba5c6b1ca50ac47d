#include "tools/standin/captcha_picture.h"

#include <png.h>

#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kWidth = 85;
constexpr int kHeight = 34;
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kScale = 3;

// 5 x 7 glyphs, one string of seven rows each; '#' is ink.
struct Glyph {
  char character;
  std::array<const char*, kGlyphHeight> rows;
};

constexpr Glyph kGlyphs[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'M', {"#   #", "## ##", "# # #", "#   #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
    {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
    {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
};

const Glyph& GlyphOf(char character) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.character == character) return glyph;
  }
  throw std::invalid_argument("no glyph for a captcha character");
}

}  // namespace

std::string RenderCaptchaPng(std::string_view code, unsigned noiseSeed) {
  std::vector<std::uint8_t> rgb(kWidth * kHeight * 3, 0xF0);
  std::mt19937 random(noiseSeed);
  for (int i = 0; i < 60; ++i) {  // speckles that do not hide the glyphs
    const int at = static_cast<int>(random() % (kWidth * kHeight)) * 3;
    rgb[at] = rgb[at + 1] = rgb[at + 2] = 0xB0;
  }
  const int advance = (kGlyphWidth + 1) * kScale;
  int left = (kWidth - static_cast<int>(code.size()) * advance + kScale) / 2;
  const int top = (kHeight - kGlyphHeight * kScale) / 2;
  for (char character : code) {
    const Glyph& glyph = GlyphOf(character);
    const int rise = static_cast<int>(random() % 5) - 2;
    for (int row = 0; row < kGlyphHeight * kScale; ++row) {
      for (int column = 0; column < kGlyphWidth * kScale; ++column) {
        if (glyph.rows[row / kScale][column / kScale] != '#') continue;
        const int y = top + rise + row;
        const int x = left + column;
        if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) continue;
        std::uint8_t* pixel = &rgb[(y * kWidth + x) * 3];
        pixel[0] = 0x20;
        pixel[1] = 0x30;
        pixel[2] = 0x80;
      }
    }
    left += advance;
  }

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    throw std::runtime_error("cannot size the captcha PNG");
  }
  std::string png(size, '\0');
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr)) {
    throw std::runtime_error("cannot write the captcha PNG");
  }
  png.resize(size);
  return png;
}
