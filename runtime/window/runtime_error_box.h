#pragma once
// The runtime-error report: a box titled "错误" with the stop icon, shown by
// the window's thread, then the end of the process with -1 (status 255).
// The exit routines do not run.

#include "runtime/text/text.h"

[[noreturn]] void ReportRuntimeError(const Text& report);
