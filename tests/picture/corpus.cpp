#include "tests/picture/corpus.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, '\t')) fields.push_back(field);
  return fields;
}

std::optional<std::string> JsonValueAfter(const std::string& json, const std::string& key) {
  const auto at = json.find("\"" + key + "\"");
  if (at == std::string::npos) return std::nullopt;
  const auto colon = json.find(':', at);
  if (colon == std::string::npos) return std::nullopt;
  return json.substr(colon + 1);
}

}  // namespace

const std::string& CorpusFolder() {
  static const std::string folder = KAVORO_CORPUS_DIR;
  return folder;
}

std::vector<CorpusEntry> ReadCorpusIndex() {
  std::ifstream in(CorpusFolder() + "/index.tsv");
  std::vector<CorpusEntry> entries;
  std::string line;
  std::getline(in, line);  // the column names
  while (std::getline(in, line)) {
    auto fields = SplitTabs(line);
    if (fields.size() < 7) continue;
    entries.push_back({fields[0], fields[1], fields[2], fields[5], fields[6] == "within1"});
  }
  return entries;
}

int ChannelTolerance(const CorpusEntry& entry) {
  return entry.within1 || entry.referenceSource.starts_with("suite:") ? 1 : 0;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<PictureFrame> ReadReferencePng(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  PictureFrame frame;
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    frame.pixels.push_back(static_cast<std::uint32_t>(rgba[i + 3]) << 24 | static_cast<std::uint32_t>(rgba[i]) << 16 |
                           static_cast<std::uint32_t>(rgba[i + 1]) << 8 | rgba[i + 2]);
  }
  return frame;
}

std::string ReferencePathFor(const CorpusEntry& entry) {
  const std::string base = CorpusFolder() + "/" + entry.file;
  if (std::ifstream(base + ".libpng.rgba.png")) return base + ".libpng.rgba.png";
  return base + ".rgba.png";
}

std::string FrameDifference(const PictureFrame& decoded, const PictureFrame& reference, int tolerance) {
  std::ostringstream out;
  if (decoded.width != reference.width || decoded.height != reference.height) {
    out << "size " << decoded.width << "x" << decoded.height << ", reference " << reference.width << "x"
        << reference.height;
    return out.str();
  }
  for (std::size_t i = 0; i < reference.pixels.size(); ++i) {
    const std::uint32_t got = decoded.pixels[i];
    const std::uint32_t want = reference.pixels[i];
    const int channels = (want >> 24) == 0 ? 1 : 4;  // alpha only where the reference is transparent
    for (int c = 0; c < channels; ++c) {
      const int shift = 24 - 8 * c;
      const int a = (got >> shift) & 0xFF;
      const int b = (want >> shift) & 0xFF;
      if (a - b > tolerance || b - a > tolerance) {
        out << "pixel (" << i % reference.width << ", " << i / reference.width << "): 0x" << std::hex << got
            << ", reference 0x" << want;
        return out.str();
      }
    }
  }
  return "";
}

std::optional<GifFramesInfo> ReadGifFramesInfo(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  const std::string json{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto count = JsonValueAfter(json, "frame_count");
  auto delays = JsonValueAfter(json, "delays_cs");
  if (!count || !delays) return std::nullopt;
  GifFramesInfo info;
  info.frameCount = std::stoi(*count);
  std::stringstream list(delays->substr(delays->find('[') + 1, delays->find(']') - delays->find('[') - 1));
  std::string item;
  while (std::getline(list, item, ',')) info.delays.push_back(std::stoi(item));
  return info;
}

std::string FormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return "bmp";
    case PictureFormat::Jpeg: return "jpeg";
    case PictureFormat::Png: return "png";
    case PictureFormat::Icon: return "ico";
    case PictureFormat::Cursor: return "cur";
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Pcx8: return "pcx8";
    case PictureFormat::Pcx1: return "pcx1";
    case PictureFormat::None: break;
  }
  return "none";
}
