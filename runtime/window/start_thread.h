#pragma once
// Threads that run on by themselves: nothing waits for them, and the end of
// the program does not either.

// Starts a thread that calls routine(argument); false when no thread could be
// created.
bool StartThread(void (*routine)(int), int argument = 0);
bool StartThread(void (*routine)());
