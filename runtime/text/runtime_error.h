#pragma once
// The one way the program stops on a failed check: a report, then the end of
// the process with exit code -1 (status 255). The exit routines do not run.

#include <string_view>

#include "runtime/text/text.h"

// Codes raised by the program's own code.
inline constexpr int kIndexAboveCount = 1;
inline constexpr int kIndexBelowOne = 4;

// The message that belongs to a code; the absent text for an unknown code.
Text RuntimeErrorMessage(int code);

// "运行时出错!\r\n\r\n", the code line when code is not 0, the message line
// when the message is not empty.
Text RuntimeErrorReport(int code, const Text& message);

[[noreturn]] void RaiseRuntimeError(int code);
[[noreturn]] void RaiseRuntimeError(int code, const Text& message);

// Shows the report and ends the process; must not return. Until the window
// services install theirs, the report goes to stderr.
using RuntimeErrorReporter = void (*)(const Text& report);
void SetRuntimeErrorReporter(RuntimeErrorReporter reporter);
