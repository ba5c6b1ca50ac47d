#include "runtime/window/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "runtime/text/runtime_error.h"
#include "runtime/window/allocation.h"
#include "runtime/window/error_count.h"
#include "runtime/window/exit_routines.h"
#include "runtime/window/form_window.h"
#include "runtime/window/message_loop.h"
#include "runtime/window/runtime_error_box.h"
#include "runtime/window/window_errors.h"
#include "runtime/window/window_registry.h"
#include "runtime/window/window_thread.h"

namespace {

std::atomic<bool> loopStarted{false};

// The toolkit ends the process on its own when it cannot reach the window
// system; the program reports that as a window that could not be loaded.
QtMessageHandler defaultMessageHandler = nullptr;
void ReportFatalMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    RaiseWindowLoadFailure();
  }
  defaultMessageHandler(type, context, message);
}

void LoadToolkitTranslation() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
}

}  // namespace

void InitRuntime() {
  if (HasWindowThread()) return;
  ReserveMemoryForReports();
  SetRuntimeErrorReporter(ReportRuntimeError);
  // The program takes no command line.
  static int argc = 1;
  static char name[] = "kavoro";
  static char* argv[] = {name, nullptr};
  defaultMessageHandler = qInstallMessageHandler(ReportFatalMessage);
  // Lives until the process ends: threads that outlive the window may still
  // hand work over to it.
  new QApplication(argc, argv);
  qInstallMessageHandler(defaultMessageHandler);
  MarkWindowThread();
  QApplication::setQuitOnLastWindowClosed(false);
  LoadToolkitTranslation();
}

void RunMessageLoop() {
  loopStarted = true;
  if (!AnyWindowLoaded()) return;
  QApplication::exec();
}

void EndMessageLoopIfStarted() {
  if (loopStarted) QCoreApplication::quit();
}

void EndProgram(int exitCode) {
  if (HasWindowThread() && !IsWindowThread()) {
    PostToWindowThread([exitCode] { EndProgram(exitCode); });
    WaitForTheEnd();
  }
  RaiseErrorCount();
  RunExitRoutines();
  for (FormWindow* window : ReleaseWindows()) delete window;
  // Threads that still run end with the process, without the static
  // destructors pulling their data away under them.
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
