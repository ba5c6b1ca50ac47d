#pragma once
// A local stand-in of the file-hosting service, answering as the program
// relies on the service to answer: a captcha picture with a session cookie,
// the verification of a typed code, and the download page that carries the
// direct address once the session's code was accepted. Loopback only.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct StandinRequest {
  std::string method;
  std::string target;  // path and query as sent
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The value of the first header of that name (any case), if any.
  std::optional<std::string> Header(const std::string& name) const;
};

// Ways to make the stand-in answer differently, for tests.
struct StandinBehaviour {
  bool captchaSetsCookie = true;
  int captchaDelayMilliseconds = 0;
  std::optional<std::string> verificationAnswer;  // given instead of "1" or "0"
  std::optional<std::string> downloadPage;         // served instead of the real page
};

// The stand-in's session id in a cookie text ("a=1; PHPSESSID=…; b=2");
// empty when the text holds none.
std::string SessionInCookies(std::string_view cookies);

class Standin {
 public:
  // Serves on 127.0.0.1:port (0: a free port) from a thread of its own.
  // `logRequests`: every request goes to stderr.
  explicit Standin(int port = 0, bool logRequests = false);
  ~Standin();
  Standin(const Standin&) = delete;
  Standin& operator=(const Standin&) = delete;

  int Port() const;
  // Blocks until the server stops (for the command-line stand-in).
  void Wait();

  void SetBehaviour(const StandinBehaviour& behaviour);
  std::vector<StandinRequest> Requests() const;
  void ClearRequests();
  // The code of a session's latest captcha; of the latest captcha of all
  // when `session` is empty. Empty when there is none.
  std::string CurrentCode(const std::string& session = "") const;
  // The captcha picture last served to a session.
  std::string CaptchaOf(const std::string& session) const;
  // The direct address the download page gives for a download ID.
  std::string DirectAddress(const std::string& host, const std::string& downloadId) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};
