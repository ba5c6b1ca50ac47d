#pragma once
// The window's thread and the hand-over of work to it. Qt widgets live on
// that thread alone.

#include <functional>

// Whether the runtime has been prepared (InitRuntime), so that a window
// thread exists that can show windows.
bool HasWindowThread();
bool IsWindowThread();

// Called by InitRuntime on the thread that becomes the window's thread, once
// the toolkit is ready.
void MarkWindowThread();

// Queues work for the window's thread and returns at once.
void PostToWindowThread(std::function<void()> work);

// Runs work on the window's thread and waits for it; called on the window's
// thread it runs at once.
void RunOnWindowThread(const std::function<void()>& work);

// Blocks the calling thread for good: a thread that has handed the end of the
// process over to the window's thread goes no further.
[[noreturn]] void WaitForTheEnd();
