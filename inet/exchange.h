#pragma once
// One HTTP exchange on its own curl handles: the request, any redirects, and
// the final answer's header block and body. The body streams through a small
// buffer: the transfer pauses while the reader lags, so a body is never held
// here whole.

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "inet/inet.h"
#include "inet/proxy_list.h"

struct ExchangeSettings {
  bool secure = false;
  std::string host;
  int port = 0;  // 0: the scheme's default
  std::string verb;
  std::string objectName;
  bool http10 = false;
  std::string agent;
  ProxyList proxies;
  bool followRedirects = true;
  std::string headers;
  bool sendBody = false;
  std::string body;
  InetTimeouts timeouts;
};

class Exchange {
 public:
  explicit Exchange(ExchangeSettings settings);
  ~Exchange();
  Exchange(const Exchange&) = delete;
  Exchange& operator=(const Exchange&) = delete;

  // Sends the request and runs the exchange until the final answer's header
  // block is complete; false when it ended before.
  bool Send();
  // Up to n bytes of the body; 0 at its end.
  std::size_t Read(char* out, std::size_t n);
  // True once the exchange has ended with an error.
  bool Failed() const { return finished_ && result_ != CURLE_OK; }
  const std::string& Error() const { return error_; }
  // The final answer's header block, or null while it is incomplete.
  const std::string* RawHeaders() const { return answerComplete_ ? &headerBlock_ : nullptr; }

 private:
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static int OnConnected(void* self, char*, char*, int, int);

  bool Configure();
  void ConfigureHop(const std::string& url);
  void FollowRedirect();
  void HeaderLine(std::string_view line);
  template <typename Done>
  void Run(Done done);
  void Fail(std::string text);
  std::size_t Pending() const { return pending_.size() - pendingPos_; }

  ExchangeSettings settings_;
  CURLM* multi_ = nullptr;
  CURL* easy_ = nullptr;
  curl_slist* headerList_ = nullptr;
  curl_slist* proxyHeaderList_ = nullptr;
  char curlError_[CURL_ERROR_SIZE] = {};
  std::string error_;

  std::string url_;  // the URL being asked for
  int hops_ = 0;
  std::string redirectTo_;
  int redirectStatus_ = 0;
  bool connected_ = false;
  bool finished_ = false;
  CURLcode result_ = CURLE_OK;
  std::size_t received_ = 0;

  std::string headerBlock_;
  bool answerComplete_ = false;
  bool headerTooLarge_ = false;

  std::vector<char> pending_;
  std::size_t pendingPos_ = 0;
  bool paused_ = false;
};
