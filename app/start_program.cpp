#include "app/start_program.h"

#include "app/main_window.h"
#include "runtime/window/program.h"
#include "workflow/cookie_jar.h"

int StartProgram() {
  InitRuntime();
  RegisterExitRoutine(ReleaseCookieJar);
  LoadStartWindow(MainWindow);
  RunMessageLoop();
  return 0;
}
