// FindText, SplitText and ReplaceSubtext over a 16 MB page, beside
// std::string_view::find on the same data. Every operation should be linear.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/text/mixed_page.h"
#include "runtime/text/text.h"

namespace {

constexpr std::size_t kPageSize = 16 << 20;
constexpr char kMarker[] = "<a id=\"downs\" href=\"";

const Text& Page() {
  static const Text page(MakeMixedPage(kPageSize, "<a id=\"downs\" href=\"http://dl/x\">", 4096));
  return page;
}

void BM_StringViewFind(benchmark::State& state) {
  const std::string_view page = Page().View();
  for (auto _ : state) benchmark::DoNotOptimize(page.find(kMarker));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_StringViewFind)->Unit(benchmark::kMillisecond);

void BM_FindText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FindText(Page(), kMarker));
  state.SetBytesProcessed(state.iterations() * TextLength(Page()));
}
BENCHMARK(BM_FindText)->Unit(benchmark::kMillisecond);

void BM_FindTextIgnoringCase(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FindText(Page(), kMarker, 0, true));
  state.SetBytesProcessed(state.iterations() * TextLength(Page()));
}
BENCHMARK(BM_FindTextIgnoringCase)->Unit(benchmark::kMillisecond);

void BM_SplitTextByLineBreak(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SplitText(Page(), "\r\n"));
  state.SetBytesProcessed(state.iterations() * TextLength(Page()));
}
BENCHMARK(BM_SplitTextByLineBreak)->Unit(benchmark::kMillisecond);

void BM_ReplaceSubtext(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceSubtext(Page(), "文件", "file", {}, {}, true));
  state.SetBytesProcessed(state.iterations() * TextLength(Page()));
}
BENCHMARK(BM_ReplaceSubtext)->Unit(benchmark::kMillisecond);

}  // namespace
