// Writes a small seed corpus for each fuzz target into the folder given:
// pictures made with the test writers, one of each kind the decoders take.
// scripts/fuzz.sh adds the shared corpus's files beside them.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/picture/picture_writers.h"

namespace {

std::vector<std::uint32_t> Gradient(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(0x80000000u | static_cast<std::uint32_t>(x * 16) << 16 | static_cast<std::uint32_t>(y * 16) << 8 | 0x40);
    }
  }
  return pixels;
}

std::map<std::string, ByteVector> Seeds() {
  const auto gradient = Gradient(8, 8);
  std::map<std::string, ByteVector> seeds;
  seeds["bmp/rgb24.bmp"] = MakeBmp({.width = 2, .height = 2, .pixels = ByteVector(16, 0x7F)});
  seeds["bmp/pal4.bmp"] = MakeBmp({.width = 3, .height = 2, .bitCount = 4, .coloursUsed = 2,
                                   .palette = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}, .pixels = {0x01, 0x10, 0, 0, 0x11, 0, 0, 0}});
  seeds["bmp/rle8.bmp"] = MakeBmp({.width = 4, .height = 2, .bitCount = 8, .compression = 1, .coloursUsed = 2,
                                   .palette = {0, 0, 0, 0, 0, 0, 0xFF, 0},
                                   .pixels = {3, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 0, 0, 1}});
  seeds["bmp/rle4.bmp"] = MakeBmp({.width = 4, .height = 2, .bitCount = 4, .compression = 2, .coloursUsed = 2,
                                   .palette = {0, 0, 0, 0, 0, 0, 0xFF, 0}, .pixels = {4, 0x10, 0, 0, 0, 4, 0x11, 0x01, 0, 1}});
  seeds["bmp/bitfields16.bmp"] = MakeBmp({.width = 2, .height = 1, .bitCount = 16, .compression = 3,
                                          .masks = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
                                          .pixels = {0x1F, 0xF8, 0xE0, 0x07}});
  seeds["icon/bmp.ico"] = MakeIcon(1, {{MakeIconBmp({.width = 2, .height = 2, .pixels = ByteVector(16, 0x7F)},
                                                    {0x40, 0, 0, 0, 0x80, 0, 0, 0})}});
  seeds["icon/png.cur"] = MakeIcon(2, {{MakePng(8, 8, gradient)}});
  seeds["pcx/pal8.pcx"] = MakePcx({.xMax = 3, .yMax = 1, .bytesPerLine = 4, .data = {0xC3, 1, 2, 0xC4, 3},
                                   .palette = std::vector<std::uint32_t>{0, 0xFF0000, 0x00FF00, 0x0000FF}});
  seeds["pcx/mono.pcx"] = MakePcx({.version = 3, .bitsPerPixel = 1, .xMax = 9, .yMax = 1, .data = {0xC2, 0xA5, 0x0F, 0x00}});
  GifFields gif{.width = 4, .height = 3, .globalPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}};
  gif.images.push_back({.width = 4, .height = 3, .indices = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 1, 1}, .disposal = 1, .delay = 5});
  gif.images.push_back({.left = 1, .top = 1, .width = 2, .height = 2, .indices = {2, 0, 0, 2},
                        .localPalette = {0, 0x808080}, .interlaced = true, .disposal = 2, .transparentIndex = 0});
  gif.images.push_back({.width = 2, .height = 1, .indices = {3, 3}, .disposal = 3});
  seeds["gif/animation.gif"] = MakeGif(gif);
  seeds["jpeg/baseline.jpg"] = MakeJpeg(8, 8, gradient, 80);
  seeds["jpeg/progressive.jpg"] = MakeJpeg(8, 8, gradient, 80, 3, true);
  seeds["jpeg/grey.jpg"] = MakeJpeg(8, 8, gradient, 80, 1);
  seeds["png/rgba.png"] = MakePng(8, 8, gradient);
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const auto& [name, bytes] : Seeds()) {
    // Every seed also seeds the target that recognises before decoding.
    for (const std::filesystem::path& path : {folder / name, folder / "recognise" / std::filesystem::path(name).filename()}) {
      std::filesystem::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
    }
  }
  return 0;
}
