#pragma once
// One whole exchange through the client's handles, for tests: open,
// connect, open the request, send, read the body to its end, query the raw
// headers, close.

#include <cstdint>
#include <optional>
#include <string>

#include "inet/inet.h"

struct FetchRequest {
  std::string agent = "TestAgent/1.0";
  int accessType = INTERNET_OPEN_TYPE_DIRECT;
  std::optional<std::string> proxyList;
  std::string host = "127.0.0.1";
  int port = 0;
  std::string verb = "GET";
  std::string objectName = "/";
  std::string version = "HTTP/1.1";
  std::uint32_t flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
  std::string headers;
  std::string body;
  std::size_t readSize = 1024;
};

struct FetchResult {
  bool sent = false;
  bool readOk = false;  // the last read's result
  std::string body;
  std::optional<std::string> rawHeaders;
  std::string error;  // the client's text for the first failure
};

FetchResult Fetch(const FetchRequest& request);
