#include "inet/handle_table.h"

#include <unordered_map>

namespace {

std::mutex tableMutex;
std::unordered_map<std::uintptr_t, std::shared_ptr<InetObject>> table;
std::uintptr_t lastSerial = 0;

thread_local std::string threadError;

const char* KindName(InetKind kind) {
  switch (kind) {
    case InetKind::kRoot:
      return "root";
    case InetKind::kConnection:
      return "connection";
    case InetKind::kRequest:
      return "request";
  }
  return "unknown";
}

}  // namespace

InetHandle AddHandle(std::shared_ptr<InetObject> object) {
  std::lock_guard lock(tableMutex);
  std::uintptr_t serial = ++lastSerial;
  table.emplace(serial, std::move(object));
  return reinterpret_cast<InetHandle>(serial);
}

std::shared_ptr<InetObject> FindHandle(InetHandle handle, InetKind kind, const char* call) {
  std::shared_ptr<InetObject> object;
  {
    std::lock_guard lock(tableMutex);
    auto found = table.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found != table.end()) object = found->second;
  }
  if (!object) {
    threadError = std::string(call) + ": not an open handle";
    return nullptr;
  }
  if (object->kind != kind) {
    threadError = std::string(call) + ": needs a " + KindName(kind) + " handle, got a " +
                  KindName(object->kind) + " handle";
    return nullptr;
  }
  return object;
}

std::shared_ptr<InetObject> RemoveHandle(InetHandle handle) {
  std::lock_guard lock(tableMutex);
  auto found = table.find(reinterpret_cast<std::uintptr_t>(handle));
  if (found == table.end()) {
    threadError = "InetCloseHandle: not an open handle";
    return nullptr;
  }
  std::shared_ptr<InetObject> object = std::move(found->second);
  table.erase(found);
  return object;
}

void RecordFailure(InetObject* object, std::string text) {
  if (object) object->lastError = text;
  threadError = std::move(text);
}

std::string InetLastError() { return threadError; }

std::string InetHandleError(InetHandle handle) {
  std::shared_ptr<InetObject> object;
  {
    std::lock_guard lock(tableMutex);
    auto found = table.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == table.end()) return {};
    object = found->second;
  }
  std::lock_guard lock(object->mutex);
  return object->lastError;
}
