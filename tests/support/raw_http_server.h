#pragma once
// A loopback HTTP server for tests that records every request byte for byte
// and answers with whatever bytes a test scripts: well-formed answers, and
// the broken ones a real server library will not produce (garbage, a close
// mid-body, a stall, endless headers).

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct RecordedRequest {
  std::string head;  // the request line and header lines, each ending in CR LF, then CR LF
  std::string body;

  std::string RequestLine() const;
  // The header lines without their CR LF, the request line left out.
  std::vector<std::string> HeaderLines() const;
  // The header lines joined by CR LF, as a client was given them.
  std::string HeaderBlock() const;
};

class RawConnection {
 public:
  RawConnection(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}
  // False once the client is gone.
  bool Send(std::string_view bytes);
  // Waits, sending nothing, until the client goes away or the server stops.
  void Stall();
  // Ends the connection after what was sent.
  void Close() { closed_ = true; }
  bool Closed() const { return closed_; }

 private:
  int fd_;
  const std::atomic<bool>& stopping_;
  bool closed_ = false;
};

class RawHttpServer {
 public:
  using Reply = std::function<void(const RecordedRequest&, RawConnection&)>;

  explicit RawHttpServer(Reply reply);
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  // A reply that sends these bytes to every request, then closes.
  static Reply Answer(std::string bytes);

  int Port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by path.
  std::string Url(std::string_view path) const;
  std::vector<RecordedRequest> Requests() const;
  // Waits up to a few seconds for the n-th request to be recorded.
  bool WaitForRequests(std::size_t n) const;

 private:
  void AcceptLoop();
  void Serve(int fd);

  Reply reply_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  mutable std::mutex mutex_;
  mutable std::condition_variable recorded_;
  std::vector<RecordedRequest> requests_;
  std::vector<std::thread> connections_;
  std::vector<int> openFds_;
};
