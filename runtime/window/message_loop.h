#pragma once
// The end of the message loop, which RunMessageLoop (program.h) runs.

// Called when the last loaded window has been closed: ends the loop if it
// has been started.
void EndMessageLoopIfStarted();
