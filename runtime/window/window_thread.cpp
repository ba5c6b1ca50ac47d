#include "runtime/window/window_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <thread>

bool HasWindowThread() { return QCoreApplication::instance() != nullptr; }

bool IsWindowThread() {
  auto* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void PostToWindowThread(std::function<void()> work) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void RunOnWindowThread(const std::function<void()>& work) {
  if (IsWindowThread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}

void WaitForTheEnd() {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}
