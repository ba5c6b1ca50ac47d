#include <sys/mman.h>

#include <climits>
#include <mutex>
#include <new>

#include "inet/handle_table.h"
#include "inet/inet.h"

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

// Filling a fresh buffer faults in each of its small pages, which costs more
// than the copying itself; large pages spare nearly all of those faults.
void AdviseLargePages(std::uint8_t* data, std::size_t size) {
  std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
  std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLargePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

}  // namespace

bool InetReserveBody(InetHandle request, std::vector<std::uint8_t>& body) {
  auto object = FindHandle(request, InetKind::kRequest, "InetReserveBody");
  if (!object) return false;
  std::lock_guard lock(object->mutex);
  std::int64_t length = object->exchange ? object->exchange->ContentLength() : -1;
  // Byte sequences count their bytes in an int; a longer body is a lie.
  if (length <= 0 || length > INT_MAX) return false;
  std::size_t room = body.size() + static_cast<std::size_t>(length);
  if (body.capacity() < room) {
    // Only a hint: a claim too large for memory leaves the body to grow.
    try {
      body.reserve(room);
    } catch (const std::bad_alloc&) {
      return false;
    }
    AdviseLargePages(body.data() + body.size(), static_cast<std::size_t>(length));
  }
  return true;
}
