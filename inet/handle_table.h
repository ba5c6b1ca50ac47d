#pragma once
// The objects behind the handles. A handle is a serial number that is never
// used twice, so a closed or forged handle is found out instead of being
// followed into freed memory.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "inet/exchange.h"
#include "inet/inet.h"
#include "inet/proxy_list.h"

enum class InetKind { kRoot, kConnection, kRequest };

struct InetObject {
  explicit InetObject(InetKind k) : kind(k) {}
  const InetKind kind;
  std::mutex mutex;  // held by every call on the handle
  std::string lastError;

  // A child copies what it needs of its parent, so closing the parent first
  // leaves it working.
  std::string agent;
  ProxyList proxies;
  std::string host;
  int port = 0;
  std::string verb;
  std::string objectName;
  bool http10 = false;
  std::uint32_t flags = 0;
  std::unique_ptr<Exchange> exchange;
};

InetHandle AddHandle(std::shared_ptr<InetObject> object);
// The live object of that kind, or null with the reason recorded for the
// calling thread.
std::shared_ptr<InetObject> FindHandle(InetHandle handle, InetKind kind, const char* call);
std::shared_ptr<InetObject> RemoveHandle(InetHandle handle);

// Records why a call failed, for the calling thread and on the object.
void RecordFailure(InetObject* object, std::string text);
