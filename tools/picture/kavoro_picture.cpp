// Decodes a picture with the picture box's own recognition and decoders and
// writes what the box would show as 32-bit RGBA PNG files.
//
//   kavoro-picture FILE OUT.png [--frames DIR]
//
// OUT.png gets the first frame; with --frames every frame goes to
// DIR/000.png, DIR/001.png, ... and their delays (hundredths of a second),
// one a line, to DIR/delays.txt. Exit status 1 when FILE is no picture,
// 2 for any other failure.

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/picture/picture.h"

namespace {

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "kavoro-picture: %s\n", message.c_str());
  return status;
}

bool WritePng(const PictureFrame& frame, const std::filesystem::path& path) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(frame.pixels.size() * 4);
  for (std::uint32_t pixel : frame.pixels) {
    rgba.insert(rgba.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                             static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 24)});
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.width);
  image.height = static_cast<png_uint_32>(frame.height);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

bool WriteFrames(const Picture& picture, const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  std::ofstream delays(folder / "delays.txt");
  for (std::size_t i = 0; i < picture.frames.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%03zu.png", i);
    if (!WritePng(picture.frames[i], folder / name)) return false;
    delays << picture.frames[i].delayHundredths << '\n';
  }
  return static_cast<bool>(delays.flush());
}

}  // namespace

int main(int argc, char** argv) {
  const bool withFrames = argc == 5 && std::strcmp(argv[3], "--frames") == 0;
  if (argc != 3 && !withFrames) return Fail(2, "usage: kavoro-picture FILE OUT.png [--frames DIR]");

  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(2, std::string(argv[1]) + ": cannot be read");
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

  auto picture = DecodePicture(bytes.data(), bytes.size());
  if (!picture) return Fail(1, std::string(argv[1]) + ": no picture");
  if (!WritePng(picture->frames.front(), argv[2])) return Fail(2, std::string(argv[2]) + ": cannot be written");
  if (withFrames && !WriteFrames(*picture, argv[4])) return Fail(2, std::string(argv[4]) + ": cannot be written");
  return 0;
}
