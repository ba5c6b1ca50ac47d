// TextBetween over a large page of mixed ASCII and GBK text with the
// download link near its end, beside std::string_view::find for the left
// marker alone.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "http/text_between.h"

namespace {

constexpr std::string_view kLeftMarker = "<a id=\"downs\" href=\"";
constexpr std::string_view kRightMarker = "\">";
constexpr std::string_view kLink = "http://dl.example/f/aeea4f9608859d09/资料.zip";

// Lines of a listing page: tags and ASCII between Chinese text, with many
// "<a " that begin like the marker, and two-byte characters whose second
// byte is an ASCII letter (0xB0 0x41, 0x81 0x40).
std::string MixedPage(std::size_t size) {
  const std::string_view line =
      "<li class=\"file\"><a id=\"f\" href=\"/file/0123456789abcdef.html\">文件名称：资料下载 第一部分"
      "\xB0\x41\x81\x40</a> 大小：12.3 MB，上传者：用户</li>\r\n";
  const std::string tail = std::string(kLeftMarker) + std::string(kLink) + std::string(kRightMarker) +
                           "下载</a>\r\n</ul></body></html>\r\n";
  std::string page;
  page.reserve(size);
  while (page.size() + line.size() + tail.size() <= size) {
    page += line;
  }
  page += tail;
  return page;
}

void BM_TextBetween(benchmark::State& state) {
  const Text page(MixedPage(static_cast<std::size_t>(state.range(0))));
  const Text left(kLeftMarker);
  const Text right(kRightMarker);
  for (auto _ : state) {
    Text link = TextBetween(page, left, right);
    benchmark::DoNotOptimize(link);
    if (link.View() != kLink) {
      state.SkipWithError("TextBetween missed the link");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * TextLength(page));
}

void BM_StringViewFind(benchmark::State& state) {
  const std::string page = MixedPage(static_cast<std::size_t>(state.range(0)));
  const std::string_view view = page;
  for (auto _ : state) {
    std::size_t at = view.find(kLeftMarker);
    benchmark::DoNotOptimize(at);
    if (at == std::string_view::npos) {
      state.SkipWithError("find missed the marker");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(page.size()));
}

BENCHMARK(BM_TextBetween)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringViewFind)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
