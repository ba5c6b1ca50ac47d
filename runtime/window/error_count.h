#pragma once
// The error count: raised by every runtime-error report and by EndProgram,
// on any thread. From its first rise no event reaches a handler.

void RaiseErrorCount();
bool EventsStopped();
