#include "runtime/window/window_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<QThread*> windowThread{nullptr};
}

void MarkWindowThread() { windowThread = QThread::currentThread(); }

bool HasWindowThread() { return windowThread.load() != nullptr; }

bool IsWindowThread() { return QThread::currentThread() == windowThread.load(); }

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
