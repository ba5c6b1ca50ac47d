// Decoding time of our BMP and GIF decoders beside stb_image on the same
// pictures: large ones made here and corpus files (stb_image reads no
// run-length BMP, so there are none). Reports megapixels per second and, at
// the end, how many times longer ours take (the target is at most 1.5).
//   build/bin/picture_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "runtime/picture/bmp_decoder.h"
#include "runtime/picture/gif_decoder.h"
#include "tests/picture/picture_writers.h"

namespace {

constexpr int kSide = 2048;

// Smooth ramps with some noise: neither flat nor random.
std::uint8_t Pattern(int x, int y, int channel) {
  const unsigned noise = (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >> 28;
  return static_cast<std::uint8_t>((x / 8 + y / 8) * (channel + 1) + noise);
}

ByteVector LargeBmp(std::uint16_t bitCount) {
  const std::size_t stride = (static_cast<std::size_t>(kSide) * bitCount + 31) / 32 * 4;
  BmpFields fields{.width = kSide, .height = kSide, .bitCount = bitCount};
  fields.pixels.resize(stride * kSide);
  for (int y = 0; y < kSide; ++y) {
    std::uint8_t* row = fields.pixels.data() + y * stride;
    for (int x = 0; x < kSide; ++x) {
      if (bitCount == 8) {
        row[x] = Pattern(x, y, 0);
      } else {
        for (int c = 0; c < 3; ++c) row[x * 3 + c] = Pattern(x, y, c);
      }
    }
  }
  if (bitCount == 8) {
    for (int i = 0; i < 256; ++i) {
      fields.palette.insert(fields.palette.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                                   static_cast<std::uint8_t>(i * 7), 0});
    }
  }
  return MakeBmp(fields);
}

ByteVector LargeGif(bool interlaced) {
  GifFields gif{.width = kSide, .height = kSide};
  for (std::uint32_t i = 0; i < 256; ++i) gif.globalPalette.push_back(i << 16 | (255 - i) << 8 | (i * 7 & 0xFF));
  GifImageFields image{.width = kSide, .height = kSide, .interlaced = interlaced};
  image.indices.resize(static_cast<std::size_t>(kSide) * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) image.indices[static_cast<std::size_t>(y) * kSide + x] = Pattern(x, y, 0) & 0x3F;
  }
  gif.images.push_back(std::move(image));
  return MakeGif(gif);
}

ByteVector ReadCorpusFile(const std::string& name) {
  std::ifstream in(std::string(KAVORO_CORPUS_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Real time per decode, by decoder and picture, for the ratios at the end.
std::map<std::string, std::map<std::string, double>>& Times() {
  static std::map<std::string, std::map<std::string, double>> times;
  return times;
}

using Decoder = std::function<bool(const ByteVector&, int& width, int& height)>;

bool OursBmp(const ByteVector& bytes, int& width, int& height) {
  auto frame = DecodeBmp(ByteSpan(bytes), BmpSource::File);
  if (!frame) return false;
  width = frame->width;
  height = frame->height;
  benchmark::DoNotOptimize(frame->pixels.data());
  return true;
}

// The first frame only, as stb_image decodes it.
bool OursGif(const ByteVector& bytes, int& width, int& height) {
  auto picture = DecodeGif(ByteSpan(bytes), GifLimits{.frames = 1});
  if (!picture) return false;
  width = picture->frames[0].width;
  height = picture->frames[0].height;
  benchmark::DoNotOptimize(picture->frames[0].pixels.data());
  return true;
}

bool Stb(const ByteVector& bytes, int& width, int& height) {
  int components = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &components, 4);
  if (pixels == nullptr) return false;
  benchmark::DoNotOptimize(pixels);
  stbi_image_free(pixels);
  return true;
}

void Register(const std::string& decoderName, const std::string& pictureName, const ByteVector& bytes,
              const Decoder& decode) {
  benchmark::RegisterBenchmark((decoderName + "/" + pictureName).c_str(), [=](benchmark::State& state) {
    int width = 0;
    int height = 0;
    for (auto _ : state) {
      if (!decode(bytes, width, height)) {
        state.SkipWithError("not decoded");
        return;
      }
    }
    state.counters["MP/s"] = benchmark::Counter(width * static_cast<double>(height) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
  })->Unit(benchmark::kMillisecond);
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions, the median stands for the picture.
    for (const Run& run : runs) {
      if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")) continue;
      const std::string name = run.run_name.str();
      const auto slash = name.find('/');
      Times()[name.substr(slash + 1)][name.substr(0, slash)] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-44s %12s\n", "picture", "ours / stb");
    for (const auto& [picture, byDecoder] : Times()) {
      if (byDecoder.contains("ours") && byDecoder.contains("stb")) {
        std::printf("%-44s %12.2f\n", picture.c_str(), byDecoder.at("ours") / byDecoder.at("stb"));
      }
    }
  }
};

void RegisterAll() {
  const std::pair<std::string, ByteVector> bmps[] = {
      {"generated-2048x2048-24bit.bmp", LargeBmp(24)},
      {"generated-2048x2048-8bit.bmp", LargeBmp(8)},
      {"image-rs/bmp/V5_24_Bit.bmp", ReadCorpusFile("image-rs/bmp/V5_24_Bit.bmp")},
      {"image-rs/bmp/Core_8_Bit.bmp", ReadCorpusFile("image-rs/bmp/Core_8_Bit.bmp")},
      {"image-rs/bmp/Core_1_Bit.bmp", ReadCorpusFile("image-rs/bmp/Core_1_Bit.bmp")},
  };
  const std::pair<std::string, ByteVector> gifs[] = {
      {"generated-2048x2048.gif", LargeGif(false)},
      {"generated-2048x2048-interlaced.gif", LargeGif(true)},
      {"pillow/gif/test.colors.gif", ReadCorpusFile("pillow/gif/test.colors.gif")},
      {"image-rs/gif/anim/large-gif-anim-combine.gif", ReadCorpusFile("image-rs/gif/anim/large-gif-anim-combine.gif")},
      {"pillow/gif/hopper.gif", ReadCorpusFile("pillow/gif/hopper.gif")},
  };
  for (const auto& [name, bytes] : bmps) {
    if (bytes.empty()) continue;
    Register("ours", name, bytes, OursBmp);
    Register("stb", name, bytes, Stb);
  }
  for (const auto& [name, bytes] : gifs) {
    if (bytes.empty()) continue;
    Register("ours", name, bytes, OursGif);
    Register("stb", name, bytes, Stb);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
