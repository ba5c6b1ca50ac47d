#include "inet/exchange.h"

#include <algorithm>
#include <cstring>

#include "inet/header_list.h"
#include "inet/host_name.h"
#include "inet/redirect_target.h"
#include "inet/request_target.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxRedirects = 10;
// A header block larger than this is an attack or a broken server.
constexpr std::size_t kMaxHeaderBlock = 256 * 1024;
// curl's receive buffer, and the body held before the transfer pauses.
constexpr long kReceiveBuffer = 128 * 1024;
constexpr std::size_t kPendingLimit = 256 * 1024;

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The status code of a block that begins with "HTTP/x.y NNN"; 0 when none.
int StatusOf(std::string_view block) {
  std::size_t space = block.find(' ');
  if (space == std::string_view::npos || block.size() < space + 4) return 0;
  int status = 0;
  for (std::size_t i = space + 1; i < space + 4; ++i) {
    if (block[i] < '0' || block[i] > '9') return 0;
    status = status * 10 + (block[i] - '0');
  }
  return status;
}

}  // namespace

Exchange::Exchange(ExchangeSettings settings) : settings_(std::move(settings)) {}

Exchange::~Exchange() {
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
  if (easy_) curl_easy_cleanup(easy_);
  if (multi_) curl_multi_cleanup(multi_);
  curl_slist_free_all(headerList_);
  curl_slist_free_all(proxyHeaderList_);
}

bool Exchange::Send() {
  if (!Configure()) return false;
  Run([this] { return answerComplete_; });
  if (!answerComplete_ && !Failed()) Fail("the answer ended inside its header block");
  return answerComplete_;
}

std::size_t Exchange::Read(char* out, std::size_t n) {
  if (n == 0) return 0;
  while (Pending() == 0) {
    pending_.clear();
    pendingPos_ = 0;
    if (paused_) {
      // Resuming hands curl's held data to OnBody at once.
      paused_ = false;
      CURLcode code = curl_easy_pause(easy_, CURLPAUSE_CONT);
      if (code != CURLE_OK) Fail(curl_easy_strerror(code));
      continue;
    }
    if (finished_ || !answerComplete_) return 0;
    Run([this] { return Pending() > 0 || paused_; });
  }
  std::size_t count = std::min(n, Pending());
  std::memcpy(out, pending_.data() + pendingPos_, count);
  pendingPos_ += count;
  return count;
}

bool Exchange::Configure() {
  const ExchangeSettings& s = settings_;
  if (!IsHostName(s.host)) {
    Fail("bad host name \"" + s.host + "\"");
    return false;
  }
  multi_ = curl_multi_init();
  easy_ = curl_easy_init();
  headerList_ = HeaderList(s.headers);
  proxyHeaderList_ = curl_slist_append(nullptr, "Proxy-Connection:");
  if (!multi_ || !easy_ || !headerList_ || !proxyHeaderList_) {
    Fail("out of memory");
    return false;
  }

  CURL* e = easy_;
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, curlError_);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Exchange::OnHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Exchange::OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, &Exchange::OnConnected);
  curl_easy_setopt(e, CURLOPT_PREREQDATA, this);
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(e, CURLOPT_HTTP_CONTENT_DECODING, 0L);
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                   s.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList_);
  curl_easy_setopt(e, CURLOPT_HEADEROPT, CURLHEADER_SEPARATE);
  curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxyHeaderList_);
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(s.timeouts.connect.count()));
  curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kReceiveBuffer);
  if (!s.agent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, s.agent.c_str());

  if (s.verb == "POST") {
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, s.body.c_str());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(s.body.size()));
  } else if (s.sendBody) {
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, s.body.c_str());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(s.body.size()));
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, s.verb.c_str());
  } else if (s.verb == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (s.verb != "GET") {
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, s.verb.c_str());
  }

  int port = s.port != 0 ? s.port : s.secure ? 443 : 80;
  std::string origin = std::string(s.secure ? "https://" : "http://") + s.host;
  if (port != (s.secure ? 443 : 80)) origin += ":" + std::to_string(port);
  std::string target = RequestTarget(s.objectName);
  url_ = origin + target;
  // Through a proxy, a plain-HTTP request line names the whole URL.
  curl_easy_setopt(e, CURLOPT_REQUEST_TARGET,
                   (!s.secure && !s.proxies.http.empty() ? url_ : target).c_str());
  ConfigureHop(origin + "/");

  CURLMcode code = curl_multi_add_handle(multi_, easy_);
  if (code != CURLM_OK) {
    Fail(curl_multi_strerror(code));
    return false;
  }
  return true;
}

void Exchange::ConfigureHop(const std::string& url) {
  const std::string& proxy = url.compare(0, 8, "https://") == 0 ? settings_.proxies.https : settings_.proxies.http;
  curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
  // An empty text also keeps curl from taking a proxy from the environment.
  curl_easy_setopt(easy_, CURLOPT_PROXY, proxy.empty() ? "" : ("http://" + proxy).c_str());
}

void Exchange::FollowRedirect() {
  curl_multi_remove_handle(multi_, easy_);
  std::string& verb = settings_.verb;
  bool toGet = redirectStatus_ == 303 ? verb != "GET" && verb != "HEAD"
                                      : redirectStatus_ <= 302 && (verb == "POST" || settings_.sendBody);
  if (toGet) {
    verb = "GET";
    settings_.sendBody = false;
    curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, nullptr);
    curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
  }
  // The caller's object name was for the first answer only.
  curl_easy_setopt(easy_, CURLOPT_REQUEST_TARGET, nullptr);
  ConfigureHop(redirectTo_);

  ++hops_;
  url_ = std::move(redirectTo_);
  redirectTo_.clear();
  headerBlock_.clear();
  answerComplete_ = false;
  connected_ = false;
  finished_ = false;
  result_ = CURLE_OK;
  curlError_[0] = '\0';
  CURLMcode code = curl_multi_add_handle(multi_, easy_);
  if (code != CURLM_OK) Fail(curl_multi_strerror(code));
}

template <typename Done>
void Exchange::Run(Done done) {
  const auto idle = settings_.timeouts.idle;
  auto lastActivity = Clock::now();
  std::size_t lastReceived = received_;
  curl_off_t lastSent = 0;
  while (!finished_) {
    int running = 0;
    CURLMcode code = curl_multi_perform(multi_, &running);
    if (code != CURLM_OK) {
      Fail(curl_multi_strerror(code));
      return;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg != CURLMSG_DONE) continue;
      finished_ = true;
      result_ = message->data.result;
    }
    if (!redirectTo_.empty()) {
      FollowRedirect();
      lastActivity = Clock::now();
      continue;
    }
    if (finished_) {
      if (result_ != CURLE_OK && error_.empty()) error_ = curlError_[0] ? curlError_ : curl_easy_strerror(result_);
      return;
    }
    if (done()) return;

    auto now = Clock::now();
    curl_off_t sent = 0;
    curl_easy_getinfo(easy_, CURLINFO_SIZE_UPLOAD_T, &sent);
    if (!connected_ || received_ != lastReceived || sent != lastSent) {
      lastActivity = now;
      lastReceived = received_;
      lastSent = sent;
    } else if (now - lastActivity >= idle) {
      Fail("nothing received for " + std::to_string(idle.count()) + " ms");
      return;
    }
    auto wait = connected_ ? idle - std::chrono::duration_cast<std::chrono::milliseconds>(now - lastActivity)
                           : std::chrono::milliseconds(1000);
    wait = std::clamp(wait, std::chrono::milliseconds(1), std::chrono::milliseconds(1000));
    curl_multi_poll(multi_, nullptr, 0, static_cast<int>(wait.count()), nullptr);
  }
}

void Exchange::Fail(std::string text) {
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
  finished_ = true;
  result_ = CURLE_ABORTED_BY_CALLBACK;
  error_ = std::move(text);
}

void Exchange::HeaderLine(std::string_view line) {
  received_ += line.size();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {
    headerBlock_.assign(line);
    headerBlock_ += "\r\n";
    return;
  }
  // Lines after a complete block are trailers of a chunked body.
  if (answerComplete_ || !redirectTo_.empty() || headerBlock_.empty()) return;
  if (!line.empty()) {
    if (headerBlock_.size() + line.size() > kMaxHeaderBlock) {
      headerTooLarge_ = true;
      return;
    }
    headerBlock_ += line;
    headerBlock_ += "\r\n";
    return;
  }
  int status = StatusOf(headerBlock_);
  if (status >= 100 && status < 200) {
    headerBlock_.clear();
    return;
  }
  headerBlock_ += "\r\n";
  if (settings_.followRedirects && IsRedirect(status) && hops_ < kMaxRedirects) {
    redirectTo_ = RedirectTarget(headerBlock_, url_);
    redirectStatus_ = status;
    if (!redirectTo_.empty()) return;
  }
  answerComplete_ = true;
}

size_t Exchange::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto* exchange = static_cast<Exchange*>(self);
  exchange->HeaderLine(std::string_view(data, size * count));
  if (exchange->headerTooLarge_) {
    exchange->error_ = "answer header block over " + std::to_string(kMaxHeaderBlock) + " bytes";
    return 0;
  }
  return size * count;
}

size_t Exchange::OnBody(char* data, size_t size, size_t count, void* self) {
  auto* exchange = static_cast<Exchange*>(self);
  std::size_t total = size * count;
  if (!exchange->redirectTo_.empty()) return total;  // a redirect's own body
  if (exchange->Pending() >= kPendingLimit) {
    exchange->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  exchange->pending_.insert(exchange->pending_.end(), data, data + total);
  exchange->received_ += total;
  return total;
}

int Exchange::OnConnected(void* self, char*, char*, int, int) {
  static_cast<Exchange*>(self)->connected_ = true;
  return CURL_PREREQFUNC_OK;
}
