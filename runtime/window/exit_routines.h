#pragma once
// The list of exit routines that EndProgram runs (RegisterExitRoutine is in
// program.h).

// Runs each listed routine once, in the order of registration, and empties
// the list.
void RunExitRoutines();

// Empties the list without running anything: after a runtime error.
void DiscardExitRoutines();
