#pragma once

// Prepares the runtime, shows MainWindow and runs the message loop until the
// window has been closed; returns 0.
int StartProgram();
