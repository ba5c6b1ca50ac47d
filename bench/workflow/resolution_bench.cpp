// One whole resolution on loopback through the workflow (captcha,
// verification, download page, with the picture decoded into the box),
// beside the same three requests made by curl from a script. The curl side
// also asks the stand-in for the code, as the workflow side does.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "runtime/window/control_services.h"
#include "runtime/window/program.h"
#include "tools/standin/standin_server.h"
#include "workflow/address_resolution.h"
#include "workflow/captcha_refresh.h"
#include "workflow/cookie_jar.h"

namespace {

Standin& TheStandin() {
  static Standin standin(KAVORO_BENCH_STANDIN_PORT);
  return standin;
}

void BM_ResolutionThroughTheWorkflow(benchmark::State& state) {
  Standin& standin = TheStandin();
  for (auto _ : state) {
    RefreshCaptcha();
    WriteControlText(编辑框3, "aeea4f9608859d09");
    WriteControlText(编辑框1, Text(standin.CurrentCode(SessionInCookies(cookieJar.View()))));
    ResolveDownloadAddress();
    if (TextLength(ReadControlText(编辑框2)) == 0) state.SkipWithError("no address resolved");
    WriteControlText(编辑框2, Text());
    standin.ClearRequests();
  }
}
BENCHMARK(BM_ResolutionThroughTheWorkflow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThreeRequestsByCurl(benchmark::State& state) {
  Standin& standin = TheStandin();
  const std::string command = std::string(THREE_REQUESTS_SCRIPT) + " " + std::to_string(KAVORO_BENCH_STANDIN_PORT);
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("the curl script failed");
    standin.ClearRequests();
  }
}
BENCHMARK(BM_ThreeRequestsByCurl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  InitRuntime();
  LoadStartWindow(MainWindow);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
