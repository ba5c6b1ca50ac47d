#include "runtime/window/start_thread.h"

#include <pthread.h>


namespace {

struct ThreadStart {
  void (*routine)(int);
  void (*plainRoutine)();
  int argument;
};

void* RunThread(void* data) {
  const ThreadStart start = *static_cast<ThreadStart*>(data);
  delete static_cast<ThreadStart*>(data);
  if (start.plainRoutine) {
    start.plainRoutine();
  } else {
    start.routine(start.argument);
  }
  return nullptr;
}

bool Start(ThreadStart start) {
  auto* data = new ThreadStart(start);
  pthread_t thread;
  if (pthread_create(&thread, nullptr, RunThread, data) != 0) {
    delete data;
    return false;
  }
  pthread_detach(thread);
  return true;
}

}  // namespace

bool StartThread(void (*routine)(int), int argument) { return Start({routine, nullptr, argument}); }

bool StartThread(void (*routine)()) { return Start({nullptr, routine, 0}); }
