#pragma once
// MainWindow, the program's one window. Its controls are in
// main_window_controls.h.

#include "runtime/window/form.h"

extern const WindowForm MainWindow;

// The handler of the window's created event: there is nothing to do.
void OnMainWindowCreated();
