#include "runtime/window/runtime_error_box.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "runtime/window/error_count.h"
#include "runtime/window/exit_routines.h"
#include "runtime/window/gbk_conversion.h"
#include "runtime/window/message_box.h"
#include "runtime/window/message_box_dialog.h"
#include "runtime/window/program.h"
#include "runtime/window/window_thread.h"

namespace {

std::atomic<bool> boxShown{false};
std::atomic<bool> handedOver{false};

// A window's thread that does not take the report over within this time is
// taken to be blocked for good, for instance by a lock that the reporting
// thread holds.
constexpr auto kHandOverTimeout = std::chrono::seconds(30);

void WriteToStderr(const Text& report) {
  const QByteArray local = GbkToQString(report.View()).toLocal8Bit();
  std::fwrite(local.constData(), 1, static_cast<std::size_t>(local.size()), stderr);
  std::fflush(stderr);
}

[[noreturn]] void EndWithoutBox(const Text& report) {
  WriteToStderr(report);
  std::_Exit(255);
}

[[noreturn]] void ShowReportAndEnd(const Text& report) {
  if (boxShown.exchange(true)) EndWithoutBox(report);  // an error inside the report itself
  WriteToStderr(report);
  AskWithMessageBox(QStringLiteral("错误"), GbkToQString(report.View()), kMessageBoxIconStop);
  DiscardExitRoutines();
  EndProgram(-1);
}

}  // namespace

void ReportRuntimeError(const Text& report) {
  RaiseErrorCount();
  if (!HasWindowThread()) EndWithoutBox(report);
  if (IsWindowThread()) ShowReportAndEnd(report);
  if (!handedOver.exchange(true)) {
    PostToWindowThread([report] {
      if (!boxShown.load()) ShowReportAndEnd(report);
    });
    const auto deadline = std::chrono::steady_clock::now() + kHandOverTimeout;
    while (!boxShown.load()) {
      if (std::chrono::steady_clock::now() > deadline) EndWithoutBox(report);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  WaitForTheEnd();
}
