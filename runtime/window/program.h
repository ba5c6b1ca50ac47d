#pragma once
// Start-up, the message loop and the end of the program. Everything here runs
// on the window's thread: the thread that calls InitRuntime.

#include "runtime/window/form.h"

// Prepares the process: makes the calling thread the window's thread and
// installs the runtime-error report box.
void InitRuntime();

// Adds a routine to the exit routines unless it is listed already.
void RegisterExitRoutine(void (*routine)());

// Creates the window and its controls, shows them and raises the window's
// created event. A form that cannot be loaded is a runtime error.
void LoadStartWindow(const WindowForm& window);

// Dispatches events until the last loaded window has been closed; returns at
// once when no window is loaded.
void RunMessageLoop();

// Raises the error count, runs the exit routines once each in order on the
// window's thread, releases the windows and ends the process with the exit
// code. Called on another thread, it hands the end over to the window's
// thread and never returns either.
[[noreturn]] void EndProgram(int exitCode);
