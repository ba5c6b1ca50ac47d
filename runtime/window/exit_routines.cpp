#include "runtime/window/exit_routines.h"

#include <algorithm>
#include <utility>
#include <mutex>
#include <vector>

#include "runtime/window/program.h"

namespace {

std::mutex routinesMutex;
std::vector<void (*)()> routines;

std::vector<void (*)()> TakeRoutines() {
  std::lock_guard lock(routinesMutex);
  return std::exchange(routines, {});
}

}  // namespace

void RegisterExitRoutine(void (*routine)()) {
  std::lock_guard lock(routinesMutex);
  if (std::find(routines.begin(), routines.end(), routine) == routines.end()) routines.push_back(routine);
}

void RunExitRoutines() {
  for (auto routine : TakeRoutines()) routine();
}

void DiscardExitRoutines() { TakeRoutines(); }
