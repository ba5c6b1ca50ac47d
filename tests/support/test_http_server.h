#pragma once
// A loopback HTTP server on cpp-httplib for well-formed answers: the test
// installs its routes, the server takes a free port on 127.0.0.1 and records
// every request it answers. (It does not keep the order of header lines; a
// test that checks them byte for byte uses RawHttpServer.)

#include <httplib.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TestHttpServer {
 public:
  struct Request {
    std::string method;
    std::string target;  // path and query as sent
    httplib::Headers headers;
    std::string body;
  };

  explicit TestHttpServer(const std::function<void(httplib::Server&)>& routes);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by path.
  std::string Url(std::string_view path) const;
  std::vector<Request> Requests() const;

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
};
