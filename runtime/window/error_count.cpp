#include "runtime/window/error_count.h"

#include <atomic>

namespace {
std::atomic<int> errorCount{0};
}

void RaiseErrorCount() { errorCount.fetch_add(1); }

bool EventsStopped() { return errorCount.load() > 0; }
