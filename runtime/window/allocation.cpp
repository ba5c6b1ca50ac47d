#include "runtime/window/allocation.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "runtime/window/window_errors.h"

namespace {

// Enough for the report box: its window, its text and its backing store.
constexpr std::size_t kReserveSize = 4 << 20;

std::atomic<void*> reserve{nullptr};
thread_local bool reportingFailure = false;

[[noreturn]] void ReportFailure(std::size_t size) {
  if (reportingFailure) {
    // The report of a failure has failed to allocate in turn.
    static const char message[] = "out of memory\n";
    (void)!write(STDERR_FILENO, message, sizeof message - 1);
    std::_Exit(255);
  }
  reportingFailure = true;
  std::free(reserve.exchange(nullptr));
  RaiseAllocationFailure(size);
}

void* Allocate(std::size_t size) {
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  ReportFailure(size);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  void* block = nullptr;
  const auto align = std::max(static_cast<std::size_t>(alignment), sizeof(void*));
  if (posix_memalign(&block, align, size == 0 ? 1 : size) == 0) return block;
  ReportFailure(size);
}

}  // namespace

void ReserveMemoryForReports() {
  if (!reserve.load()) {
    void* block = std::malloc(kReserveSize);
    void* none = nullptr;
    if (!reserve.compare_exchange_strong(none, block)) std::free(block);
  }
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }

// Callers of the non-throwing forms handle the null pointer themselves.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
