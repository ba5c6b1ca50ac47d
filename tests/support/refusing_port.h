#pragma once

// A loopback port that refuses every connection: bound, so that no other
// server can take it while the test runs, but never listening.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};
