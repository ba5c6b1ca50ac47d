// TextBetween over a mixed ASCII and GBK page with the download link near
// its end, beside std::string_view::find for the left marker alone on the
// same page. Page sizes of 1, 4 and 16 MB show whether the cost is linear.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "bench/text/mixed_page.h"
#include "http/text_between.h"

namespace {

constexpr std::string_view kLeftMarker = "<a id=\"downs\" href=\"";
constexpr std::string_view kRightMarker = "\">";
constexpr std::string_view kLink = "http://dl.example/f/aeea4f9608859d09/资料.zip";

std::string PageWithLink(std::int64_t size) {
  const std::string tail = std::string(kLeftMarker) + std::string(kLink) + std::string(kRightMarker);
  return MakeMixedPage(static_cast<std::size_t>(size), tail, 4096);
}

void BM_TextBetween(benchmark::State& state) {
  const Text page(PageWithLink(state.range(0)));
  const Text left(kLeftMarker);
  const Text right(kRightMarker);
  for (auto _ : state) {
    const Text link = TextBetween(page, left, right);
    if (link.View() != kLink) {
      state.SkipWithError("TextBetween missed the link");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * TextLength(page));
}
BENCHMARK(BM_TextBetween)->RangeMultiplier(4)->Range(1 << 20, 16 << 20)->Unit(benchmark::kMillisecond);

void BM_StringViewFindLeftMarker(benchmark::State& state) {
  const std::string page = PageWithLink(state.range(0));
  const std::string_view view = page;
  for (auto _ : state) {
    benchmark::DoNotOptimize(view.find(kLeftMarker));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_StringViewFindLeftMarker)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 16 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
