#include "inet/inet.h"

#include <curl/curl.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string_view>

#include "inet/handle_table.h"

namespace {

std::atomic<long long> connectLimitMs{InetTimeouts{}.connect.count()};
std::atomic<long long> idleLimitMs{InetTimeouts{}.idle.count()};

// curl_global_init must run once before any other curl call and is not safe
// to race with one.
bool StartCurl() {
  static std::once_flag once;
  static CURLcode code = CURLE_OK;
  std::call_once(once, [] { code = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return code == CURLE_OK;
}

std::string_view OrEmpty(const char* text) { return text ? text : ""; }

bool IsToken(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || std::strchr("()<>@,;:\\\"/[]?={}", c)) return false;
  }
  return true;
}

}  // namespace

InetHandle InetOpen(const char* agent, int accessType, const char* proxyList) {
  if (!StartCurl()) {
    RecordFailure(nullptr, "InetOpen: curl could not be initialised");
    return nullptr;
  }
  auto root = std::make_shared<InetObject>(InetKind::kRoot);
  // A line break would end the User-Agent line early and start another.
  std::string_view agentText = OrEmpty(agent);
  root->agent = agentText.substr(0, agentText.find_first_of("\r\n"));
  if (accessType == INTERNET_OPEN_TYPE_PROXY) {
    std::string error;
    if (!ParseProxyList(OrEmpty(proxyList), root->proxies, error)) {
      RecordFailure(nullptr, "InetOpen: " + error);
      return nullptr;
    }
  } else if (accessType != INTERNET_OPEN_TYPE_DIRECT) {
    RecordFailure(nullptr, "InetOpen: unknown access type " + std::to_string(accessType));
    return nullptr;
  }
  return AddHandle(std::move(root));
}

InetHandle InetConnect(InetHandle root, const char* host, int port) {
  auto parent = FindHandle(root, InetKind::kRoot, "InetConnect");
  if (!parent) return nullptr;
  std::lock_guard lock(parent->mutex);
  if (OrEmpty(host).empty() || port < 0 || port > 65535) {
    RecordFailure(parent.get(), "InetConnect: bad host or port");
    return nullptr;
  }
  auto connection = std::make_shared<InetObject>(InetKind::kConnection);
  connection->agent = parent->agent;
  connection->proxies = parent->proxies;
  connection->host = host;
  connection->port = port;
  return AddHandle(std::move(connection));
}

InetHandle InetOpenRequest(InetHandle connection, const char* verb, const char* objectName,
                           const char* version, std::uint32_t flags) {
  auto parent = FindHandle(connection, InetKind::kConnection, "InetOpenRequest");
  if (!parent) return nullptr;
  std::lock_guard lock(parent->mutex);
  std::string_view versionText = OrEmpty(version);
  if (!IsToken(OrEmpty(verb))) {
    RecordFailure(parent.get(), "InetOpenRequest: bad verb");
    return nullptr;
  }
  if (!versionText.empty() && versionText != "HTTP/1.1" && versionText != "HTTP/1.0") {
    RecordFailure(parent.get(), "InetOpenRequest: unsupported version " + std::string(versionText));
    return nullptr;
  }
  auto request = std::make_shared<InetObject>(InetKind::kRequest);
  request->agent = parent->agent;
  request->proxies = parent->proxies;
  request->host = parent->host;
  request->port = parent->port;
  request->verb = verb;
  request->objectName = OrEmpty(objectName);
  request->http10 = versionText == "HTTP/1.0";
  request->flags = flags;
  return AddHandle(std::move(request));
}

bool InetSendRequest(InetHandle request, const char* headers, std::size_t headersLength,
                     const void* body, std::size_t bodyLength) {
  auto object = FindHandle(request, InetKind::kRequest, "InetSendRequest");
  if (!object) return false;
  std::lock_guard lock(object->mutex);
  if (object->exchange) {
    RecordFailure(object.get(), "InetSendRequest: the request was sent already");
    return false;
  }
  if ((!headers && headersLength != 0) || (!body && bodyLength != 0)) {
    RecordFailure(object.get(), "InetSendRequest: a length without its data");
    return false;
  }
  ExchangeSettings settings;
  settings.secure = (object->flags & INTERNET_FLAG_SECURE) != 0;
  settings.host = object->host;
  settings.port = object->port;
  settings.verb = object->verb;
  settings.objectName = object->objectName;
  settings.http10 = object->http10;
  settings.agent = object->agent;
  settings.proxies = object->proxies;
  settings.followRedirects = (object->flags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
  if (headers) settings.headers.assign(headers, headersLength);
  settings.sendBody = bodyLength != 0;
  if (body) settings.body.assign(static_cast<const char*>(body), bodyLength);
  settings.timeouts = InetGetTimeouts();
  object->exchange = std::make_unique<Exchange>(std::move(settings));
  if (!object->exchange->Send()) {
    RecordFailure(object.get(), "InetSendRequest: " + object->exchange->Error());
    return false;
  }
  return true;
}

bool InetReadFile(InetHandle request, void* buffer, std::size_t toRead, std::size_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  auto object = FindHandle(request, InetKind::kRequest, "InetReadFile");
  if (!object) return false;
  std::lock_guard lock(object->mutex);
  if (!bytesRead || (!buffer && toRead != 0)) {
    RecordFailure(object.get(), "InetReadFile: no buffer or count");
    return false;
  }
  if (!object->exchange) {
    RecordFailure(object.get(), "InetReadFile: the request was not sent");
    return false;
  }
  *bytesRead = object->exchange->Read(static_cast<char*>(buffer), toRead);
  if (*bytesRead == 0 && object->exchange->Failed()) {
    RecordFailure(object.get(), "InetReadFile: " + object->exchange->Error());
    return false;
  }
  return true;
}

bool InetQueryRawHeaders(InetHandle request, char* buffer, std::size_t* length) {
  auto object = FindHandle(request, InetKind::kRequest, "InetQueryRawHeaders");
  if (!object) return false;
  std::lock_guard lock(object->mutex);
  if (!length || (!buffer && *length != 0)) {
    RecordFailure(object.get(), "InetQueryRawHeaders: no buffer or length");
    return false;
  }
  const std::string* block = object->exchange ? object->exchange->RawHeaders() : nullptr;
  if (!block) {
    RecordFailure(object.get(), "InetQueryRawHeaders: no answer headers");
    return false;
  }
  if (block->size() + 1 > *length) {
    *length = block->size() + 1;
    RecordFailure(object.get(), "InetQueryRawHeaders: the buffer is too small");
    return false;
  }
  std::memcpy(buffer, block->c_str(), block->size() + 1);
  *length = block->size();
  return true;
}

bool InetCloseHandle(InetHandle handle) { return RemoveHandle(handle) != nullptr; }

void InetSetTimeouts(const InetTimeouts& timeouts) {
  connectLimitMs = timeouts.connect.count();
  idleLimitMs = timeouts.idle.count();
}

InetTimeouts InetGetTimeouts() {
  return {std::chrono::milliseconds(connectLimitMs.load()), std::chrono::milliseconds(idleLimitMs.load())};
}
