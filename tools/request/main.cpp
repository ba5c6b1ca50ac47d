// kavoro-request: one HttpRequest call from the command line, for trying the
// request routine against a server by hand.

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "http/http_request.h"

namespace {

constexpr char kUsage[] =
    "usage: kavoro-request [--post TEXT] [--cookies TEXT] [--headers TEXT] [--no-redirect]\n"
    "                      [--proxy HOST:PORT] URL\n"
    "Writes the body to stdout and the routine's outputs to stderr. In --headers,\n"
    "\\r\\n written as those four characters stands for a line break.\n";

std::string LineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 4) == "\\r\\n") {
      out += "\r\n";
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

void PrintValue(const char* name, const Text& value) {
  std::string line = std::string(name) + ": ";
  for (char c : value.View()) {
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\\') {
      line += "\\\\";
    } else {
      line += c;
    }
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int Usage(const char* problem) {
  std::fprintf(stderr, "kavoro-request: %s\n%s", problem, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int method = 0;
  Text postText;
  std::optional<Text> cookies;
  Text extraHeaders;
  int noRedirect = 0;
  std::optional<Text> proxy;
  std::optional<Text> url;

  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    bool takesValue = arg == "--post" || arg == "--cookies" || arg == "--headers" || arg == "--proxy";
    if (takesValue && i + 1 == argc) return Usage("an option lacks its value");
    if (arg == "--post") {
      method = 1;
      postText = Text(argv[++i]);
    } else if (arg == "--cookies") {
      cookies = Text(argv[++i]);
    } else if (arg == "--headers") {
      extraHeaders = Text(LineBreaks(argv[++i]));
    } else if (arg == "--proxy") {
      proxy = Text(argv[++i]);
    } else if (arg == "--no-redirect") {
      noRedirect = 1;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg.substr(0, 2) == "--" || url) {
      return Usage(("unexpected argument " + std::string(arg)).c_str());
    } else {
      url = Text(arg);
    }
  }
  if (!url) return Usage("no URL");

  Text newCookies, location, rawHeaders;
  Bytes body = HttpRequest(*url, method, postText, cookies ? OptionalRef<Text>(*cookies) : OptionalRef<Text>(),
                           newCookies, extraHeaders, location, noRedirect, {}, proxy, rawHeaders);

  std::fwrite(body.data(), 1, body.size(), stdout);
  std::fflush(stdout);
  PrintValue("rawHeaders", rawHeaders);
  PrintValue("newCookies", newCookies);
  PrintValue("location", location);
  if (cookies) PrintValue("cookies", *cookies);
  PrintValue("extraHeaders", extraHeaders);
  return 0;
}
