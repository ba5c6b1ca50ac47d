#include "tests/support/raw_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kPollMs = 20;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

std::size_t ContentLength(const RecordedRequest& request) {
  for (const std::string& line : request.HeaderLines()) {
    if (StartsWithNoCase(line, "content-length:")) return std::strtoull(line.c_str() + 15, nullptr, 10);
  }
  return 0;
}

// Waits for fd to become ready; false when the server stops first.
bool WaitFor(int fd, short events, const std::atomic<bool>& stopping) {
  while (!stopping) {
    pollfd entry{fd, events, 0};
    int ready = poll(&entry, 1, kPollMs);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
  return false;
}

// Reads one request from the connection; leftover bytes stay in buffer.
bool ReadRequest(int fd, std::string& buffer, RecordedRequest& request,
                 const std::atomic<bool>& stopping) {
  auto readMore = [&] {
    if (!WaitFor(fd, POLLIN, stopping)) return false;
    char chunk[16384];
    ssize_t got = recv(fd, chunk, sizeof chunk, 0);
    if (got > 0) buffer.append(chunk, static_cast<std::size_t>(got));
    return got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR));
  };
  std::size_t end;
  while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
    if (!readMore()) return false;
  }
  request.head = buffer.substr(0, end + 4);
  buffer.erase(0, end + 4);
  std::size_t length = ContentLength(request);
  while (buffer.size() < length) {
    if (!readMore()) return false;
  }
  request.body = buffer.substr(0, length);
  buffer.erase(0, length);
  return true;
}

}  // namespace

std::string RecordedRequest::RequestLine() const { return head.substr(0, head.find("\r\n")); }

std::vector<std::string> RecordedRequest::HeaderLines() const {
  std::vector<std::string> lines;
  std::size_t pos = head.find("\r\n");
  while (pos != std::string::npos) {
    pos += 2;
    std::size_t end = head.find("\r\n", pos);
    if (end == std::string::npos || end == pos) break;
    lines.push_back(head.substr(pos, end - pos));
    pos = end;
  }
  return lines;
}

std::string RecordedRequest::HeaderBlock() const {
  std::string block;
  for (const std::string& line : HeaderLines()) {
    if (!block.empty()) block += "\r\n";
    block += line;
  }
  return block;
}

bool RawConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!WaitFor(fd_, POLLOUT, stopping_)) return false;
    ssize_t sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void RawConnection::Stall() {
  char scratch[4096];
  while (WaitFor(fd_, POLLIN, stopping_)) {
    ssize_t got = recv(fd_, scratch, sizeof scratch, 0);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return;
  }
}

RawHttpServer::RawHttpServer(Reply reply) : reply_(std::move(reply)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t size = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener_, 64) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    close(listener_);
    throw std::runtime_error("cannot listen on loopback");
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
  stopping_ = true;
  acceptor_.join();
  {
    std::lock_guard lock(mutex_);
    for (int fd : openFds_) shutdown(fd, SHUT_RDWR);
  }
  for (std::thread& connection : connections_) connection.join();
  close(listener_);
}

RawHttpServer::Reply RawHttpServer::Answer(std::string bytes) {
  return [bytes = std::move(bytes)](const RecordedRequest&, RawConnection& connection) {
    connection.Send(bytes);
    connection.Close();
  };
}

std::string RawHttpServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<RecordedRequest> RawHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool RawHttpServer::WaitForRequests(std::size_t n) const {
  std::unique_lock lock(mutex_);
  return recorded_.wait_for(lock, std::chrono::seconds(5), [&] { return requests_.size() >= n; });
}

void RawHttpServer::AcceptLoop() {
  while (WaitFor(listener_, POLLIN, stopping_)) {
    int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) continue;
    std::lock_guard lock(mutex_);
    openFds_.push_back(fd);
    connections_.emplace_back([this, fd] { Serve(fd); });
  }
}

void RawHttpServer::Serve(int fd) {
  std::string buffer;
  RawConnection connection(fd, stopping_);
  RecordedRequest request;
  while (!connection.Closed() && ReadRequest(fd, buffer, request, stopping_)) {
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    recorded_.notify_all();
    reply_(request, connection);
  }
  shutdown(fd, SHUT_WR);
  std::lock_guard lock(mutex_);
  openFds_.erase(std::find(openFds_.begin(), openFds_.end(), fd));
  close(fd);
}
