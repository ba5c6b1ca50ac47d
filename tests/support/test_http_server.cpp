#include "tests/support/test_http_server.h"

#include <chrono>
#include <stdexcept>

TestHttpServer::TestHttpServer(const std::function<void(httplib::Server&)>& routes) {
  routes(server_);
  // Runs before the answer goes out, so a client never sees an answer whose
  // request is not recorded yet.
  server_.set_post_routing_handler([this](const httplib::Request& request, httplib::Response&) {
    std::lock_guard lock(mutex_);
    requests_.push_back({request.method, request.target, request.headers, request.body});
  });
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot listen on loopback");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() does nothing until the accept loop runs.
  while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestHttpServer::~TestHttpServer() {
  server_.stop();
  thread_.join();
}

std::string TestHttpServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<TestHttpServer::Request> TestHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}
