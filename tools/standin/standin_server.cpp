#include "tools/standin/standin_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <random>
#include <stdexcept>
#include <strings.h>
#include <thread>

#include "tools/standin/captcha_picture.h"

namespace {

constexpr char kSessionCookie[] = "PHPSESSID";
constexpr char kPassCookie[] = "kv_pass";

struct Session {
  std::string code;  // empty once used: a code can be tried once
  bool accepted = false;
  std::string captcha;
};

// The value of the item `name` in a cookie text of items joined by ";".
std::string CookieIn(std::string_view cookies, const std::string& name) {
  std::size_t at = 0;
  while (at < cookies.size()) {
    std::size_t end = cookies.find(';', at);
    if (end == std::string_view::npos) end = cookies.size();
    std::string item(cookies.substr(at, end - at));
    item.erase(0, item.find_first_not_of(' '));
    if (item.compare(0, name.size() + 1, name + "=") == 0) return item.substr(name.size() + 1);
    at = end + 1;
  }
  return "";
}

std::string CookieValue(const httplib::Request& request, const std::string& name) {
  return CookieIn(request.get_header_value("Cookie"), name);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string FormDecode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out.push_back(' ');
    } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::map<std::string, std::string> ParseForm(const std::string& body) {
  std::map<std::string, std::string> fields;
  std::size_t at = 0;
  while (at <= body.size()) {
    std::size_t end = body.find('&', at);
    if (end == std::string::npos) end = body.size();
    const std::string pair = body.substr(at, end - at);
    const std::size_t equals = pair.find('=');
    if (equals != std::string::npos) fields.emplace(FormDecode(pair.substr(0, equals)), FormDecode(pair.substr(equals + 1)));
    at = end + 1;
  }
  return fields;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out.push_back(c);
  }
  return out;
}

}  // namespace

std::string SessionInCookies(std::string_view cookies) { return CookieIn(cookies, kSessionCookie); }

std::optional<std::string> StandinRequest::Header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (strcasecmp(key.c_str(), name.c_str()) == 0) return value;
  }
  return std::nullopt;
}

struct Standin::State {
  httplib::Server server;
  std::thread thread;
  int port = 0;
  bool logRequests = false;

  mutable std::mutex mutex;
  std::mt19937_64 random{std::random_device{}()};
  std::map<std::string, Session> sessions;
  std::string latestCode;
  std::vector<StandinRequest> requests;
  StandinBehaviour behaviour;

  std::string NewSessionId() {
    static const char hex[] = "0123456789abcdef";
    std::string id(26, '0');
    for (char& c : id) c = hex[random() % 16];
    return id;
  }

  std::string NewCode() {
    std::string code(4, 'A');
    for (char& c : code) c = kCaptchaAlphabet[random() % kCaptchaAlphabet.size()];
    return code;
  }

  void Record(const httplib::Request& request) {
    StandinRequest recorded{request.method, request.target, {}, request.body};
    for (const auto& [name, value] : request.headers) {
      // httplib adds these of its own; they were not sent.
      if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT") continue;
      recorded.headers.emplace_back(name, value);
    }
    if (logRequests) {
      std::string line = recorded.method + " " + recorded.target;
      for (const auto& [name, value] : recorded.headers) line += " | " + name + ": " + value;
      line += " | body: " + Escaped(recorded.body);
      std::fprintf(stderr, "%s\n", line.c_str());
    }
    std::lock_guard lock(mutex);
    requests.push_back(std::move(recorded));
  }

  void ServeCaptcha(const httplib::Request& request, httplib::Response& response) {
    int delay;
    bool setsCookie;
    std::string session = CookieValue(request, kSessionCookie);
    std::string code;
    unsigned seed;
    {
      std::lock_guard lock(mutex);
      delay = behaviour.captchaDelayMilliseconds;
      setsCookie = behaviour.captchaSetsCookie;
      if (!sessions.count(session)) session = NewSessionId();
      code = NewCode();
      sessions[session] = Session();
      sessions[session].code = code;
      latestCode = code;
      seed = static_cast<unsigned>(random());
    }
    std::string picture = RenderCaptchaPng(code, seed);
    {
      std::lock_guard lock(mutex);
      sessions[session].captcha = picture;
    }
    if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    if (setsCookie) response.set_header("Set-Cookie", std::string(kSessionCookie) + "=" + session + "; path=/");
    response.set_header("Cache-Control", "no-store");
    response.set_content(picture, "image/png");
  }

  void ServeVerification(const httplib::Request& request, httplib::Response& response) {
    const auto form = ParseForm(request.body);
    const auto action = form.find("action");
    const auto code = form.find("code");
    const auto id = form.find("id");
    bool accepted = false;
    std::optional<std::string> answer;
    {
      std::lock_guard lock(mutex);
      answer = behaviour.verificationAnswer;
      auto session = sessions.find(CookieValue(request, kSessionCookie));
      if (session != sessions.end() && action != form.end() && action->second == "yz" && id != form.end() &&
          !id->second.empty() && code != form.end()) {
        accepted = !session->second.code.empty() && strcasecmp(code->second.c_str(), session->second.code.c_str()) == 0;
        session->second.code.clear();
        session->second.accepted = accepted;
      }
    }
    if (accepted) response.set_header("Set-Cookie", std::string(kPassCookie) + "=1; path=/; HttpOnly");
    response.set_content(answer.value_or(accepted ? "1" : "0"), "text/html");
  }

  void ServeDownloadPage(const httplib::Request& request, httplib::Response& response) {
    const std::string id = request.get_param_value("file_key");
    std::optional<std::string> page;
    bool accepted = false;
    {
      std::lock_guard lock(mutex);
      page = behaviour.downloadPage;
      auto session = sessions.find(CookieValue(request, kSessionCookie));
      accepted = session != sessions.end() && session->second.accepted && CookieValue(request, kPassCookie) == "1";
    }
    if (!page) {
      page = accepted ? "<html><body><p>文件下载</p><a id=\"downs\" href=\"" +
                            DirectAddressFor(request.get_header_value("Host"), id) + "\">下载</a></body></html>"
                      : std::string("<html><body><p>验证码错误，请返回重试</p></body></html>");
    }
    response.set_content(*page, "text/html; charset=gbk");
  }

  void ServeCode(const httplib::Request& request, httplib::Response& response) {
    response.set_content(CodeOf(request.get_param_value("session")), "text/plain");
  }

  std::string CodeOf(const std::string& session) const {
    std::lock_guard lock(mutex);
    if (session.empty()) return latestCode;
    auto found = sessions.find(session);
    return found == sessions.end() ? "" : found->second.code;
  }

  static std::string DirectAddressFor(const std::string& host, const std::string& id) {
    return "http://" + host + "/download/" + id + "/file.bin";
  }
};

Standin::Standin(int port, bool logRequests) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.logRequests = logRequests;
  // Recorded inside the handlers, where the body has been read, and before
  // the answer leaves, so that a client that has its answer finds its
  // request recorded.
  using Serve = void (State::*)(const httplib::Request&, httplib::Response&);
  auto recorded = [&s](Serve serve) {
    return [&s, serve](const httplib::Request& request, httplib::Response& response) {
      s.Record(request);
      (s.*serve)(request, response);
    };
  };
  s.server.Get("/downcode.php", recorded(&State::ServeCaptcha));
  s.server.Post("/downcode.php", recorded(&State::ServeVerification));
  s.server.Get("/dd.php", recorded(&State::ServeDownloadPage));
  s.server.Get("/standin/code", recorded(&State::ServeCode));
  s.server.set_error_handler([&s](const httplib::Request& request, httplib::Response&) { s.Record(request); });
  s.port = port == 0 ? s.server.bind_to_any_port("127.0.0.1") : (s.server.bind_to_port("127.0.0.1", port) ? port : -1);
  if (s.port <= 0) throw std::runtime_error("the stand-in cannot listen on the port");
  s.thread = std::thread([&s] { s.server.listen_after_bind(); });
}

Standin::~Standin() {
  state_->server.stop();
  if (state_->thread.joinable()) state_->thread.join();
}

int Standin::Port() const { return state_->port; }

void Standin::Wait() {
  if (state_->thread.joinable()) state_->thread.join();
}

void Standin::SetBehaviour(const StandinBehaviour& behaviour) {
  std::lock_guard lock(state_->mutex);
  state_->behaviour = behaviour;
}

std::vector<StandinRequest> Standin::Requests() const {
  std::lock_guard lock(state_->mutex);
  return state_->requests;
}

void Standin::ClearRequests() {
  std::lock_guard lock(state_->mutex);
  state_->requests.clear();
}

std::string Standin::CaptchaOf(const std::string& session) const {
  std::lock_guard lock(state_->mutex);
  auto found = state_->sessions.find(session);
  return found == state_->sessions.end() ? "" : found->second.captcha;
}

std::string Standin::CurrentCode(const std::string& session) const { return state_->CodeOf(session); }

std::string Standin::DirectAddress(const std::string& host, const std::string& downloadId) const {
  return State::DirectAddressFor(host, downloadId);
}
