// What HttpRequest sends: the header block it completes, the agent, the
// body, the proxy and TLS choices.

#include <gtest/gtest.h>

#include <string>

#include "http/http_request.h"
#include "inet/inet.h"
#include "tests/support/raw_http_server.h"

namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

std::string BodyText(const Bytes& body) { return std::string(body.begin(), body.end()); }

std::string FormBlock(const std::string& url) {
  return "Referer: " + url +
         "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
}

TEST(HttpRequestSendTest, TheThreeUsesOfTheProgramSendExactlyTheirRequests) {
  const std::string id = "aeea4f9608859d09";
  RawHttpServer server(RawHttpServer::Answer(kOk));
  const std::string hostLines = "Host: 127.0.0.1:" + std::to_string(server.Port()) +
                                "\r\nUser-Agent: " + DefaultUserAgent + "\r\n";

  // The captcha fetch: the jar was emptied, and is both cookies and newCookies.
  Text cookieJar;
  const std::string captchaUrl = server.Url("/downcode.php");
  Bytes body = HttpRequest(captchaUrl, 0, Text(), cookieJar, cookieJar);
  EXPECT_EQ(BodyText(body), "ok");

  // The code verification and the download page send the jar.
  cookieJar = "PHPSESSID=k9; lang=cn";
  const std::string form = "action=yz&id=" + id + "&code=AB12";
  body = HttpRequest(captchaUrl, 1, form, cookieJar);
  EXPECT_EQ(BodyText(body), "ok");
  const std::string pageUrl = server.Url("/dd.php?file_key=" + id + "&p=0");
  body = HttpRequest(pageUrl, 0, Text(), cookieJar);
  EXPECT_EQ(BodyText(body), "ok");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].head, "GET /downcode.php HTTP/1.1\r\n" + hostLines + FormBlock(captchaUrl) + "\r\n\r\n");
  EXPECT_EQ(requests[0].body, "");
  EXPECT_EQ(requests[1].head, "POST /downcode.php HTTP/1.1\r\n" + hostLines + FormBlock(captchaUrl) +
                                  "\r\nCookie: PHPSESSID=k9; lang=cn\r\nContent-Length: " +
                                  std::to_string(form.size()) + "\r\n\r\n");
  EXPECT_EQ(requests[1].body, form);
  EXPECT_EQ(requests[2].head, "GET /dd.php?file_key=" + id + "&p=0 HTTP/1.1\r\n" + hostLines + FormBlock(pageUrl) +
                                  "\r\nCookie: PHPSESSID=k9; lang=cn\r\n\r\n");
  EXPECT_EQ(requests[2].body, "");
}

struct CompletionCase {
  const char* name;
  std::string extraHeaders;
  std::optional<std::string> cookies;
  std::string completed;  // "{url}" stands for the request's URL
};

std::string WithUrl(std::string text, const std::string& url) {
  for (std::size_t at = text.find("{url}"); at != std::string::npos; at = text.find("{url}", at + url.size())) {
    text.replace(at, 5, url);
  }
  return text;
}

TEST(HttpRequestSendTest, CompletesTheCallersHeaderBlockAndSendsIt) {
  const std::string defaults = "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                               "Content-Type: application/x-www-form-urlencoded";
  const CompletionCase cases[] = {
      {"nothing given", "", std::nullopt, "Referer: {url}" + defaults},
      {"cookies given empty", "", "", "Referer: {url}" + defaults},
      {"cookies given", "", "a=1", "Referer: {url}" + defaults + "\r\nCookie: a=1"},
      {"an Accept line", "Accept: text/html", std::nullopt,
       "Accept: text/html\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
      {"a lower-case referer is not seen", "referer: x", std::nullopt,
       "referer: x\r\nReferer: {url}" + defaults},
      {"every default given", "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c", std::nullopt,
       "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c"},
      {"a Cookie line given as well", "Cookie: mine=1", "a=1",
       "Cookie: mine=1\r\nReferer: {url}" + defaults + "\r\nCookie: a=1"},
      {"a CR LF at the end stays", "X-A: 1\r\n", std::nullopt, "X-A: 1\r\n\r\nReferer: {url}" + defaults},
  };
  for (const CompletionCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(RawHttpServer::Answer(kOk));
    const std::string url = server.Url("/a?b=1");
    Text extraHeaders = c.extraHeaders;
    Text cookies = c.cookies.value_or("");
    Bytes body = c.cookies ? HttpRequest(url, 0, Text(), cookies, {}, extraHeaders)
                           : HttpRequest(url, 0, Text(), {}, {}, extraHeaders);
    EXPECT_EQ(BodyText(body), "ok");
    const std::string completed = WithUrl(c.completed, url);
    EXPECT_EQ(extraHeaders.Str(), completed);

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    // On the wire the block follows Host and User-Agent, its empty lines left out.
    std::string sent = "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\nUser-Agent: " +
                       DefaultUserAgent + "\r\n" + completed;
    for (std::size_t at; (at = sent.find("\r\n\r\n")) != std::string::npos;) sent.erase(at, 2);
    EXPECT_EQ(requests[0].HeaderBlock(), sent);
  }
}

TEST(HttpRequestSendTest, TheAgentComesFromTheCallersHeaders) {
  struct Case {
    std::string extraHeaders;
    std::string userAgentLines;  // the User-Agent lines on the wire
  };
  const Case cases[] = {
      // The block's own line is sent; the client adds none.
      {"User-Agent: Foo/1.0", "User-Agent: Foo/1.0"},
      {"user-agent: Foo/1.0", "user-agent: Foo/1.0"},
      // Where the block has no line of its own, the agent shows.
      {"X-Client: User-Agent: Foo/1.0\r\nX-B: 2", "User-Agent: Foo/1.0"},
      {"X-Client: User-Agent: Foo/1.0", "User-Agent: User-Agent: Foo/1.0"},
      // The agent ends at its first line break.
      {"X-Client: user-agent: Foo/1.0\r\nX-B: 2", "User-Agent: user-agent: Foo/1.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extraHeaders);
    RawHttpServer server(RawHttpServer::Answer(kOk));
    Text extraHeaders = c.extraHeaders;
    HttpRequest(server.Url("/"), 0, Text(), {}, {}, extraHeaders);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    std::string agents;
    for (const std::string& line : requests[0].HeaderLines()) {
      if (line.compare(0, 11, "User-Agent:") == 0 || line.compare(0, 11, "user-agent:") == 0) {
        agents += (agents.empty() ? "" : "|") + line;
      }
    }
    EXPECT_EQ(agents, c.userAgentLines);
  }
}

TEST(HttpRequestSendTest, SendsTheBodyWhenTheMethodAsksForOne) {
  struct Case {
    const char* name;
    int method;
    std::string postText;
    Bytes postBytes;
    std::string requestLine;
    std::string contentLength;  // empty: no Content-Length line
    std::string body;
    Bytes postBytesAfter;
  };
  const Bytes binary = {'a', 0, 0xD6, 0xD0, '\r', '\n', 'z'};
  const Case cases[] = {
      {"POST of the text", 1, "a=1", {}, "POST / HTTP/1.1", "3", "a=1", {'a', '=', '1'}},
      {"POST of the bytes, the text ignored", 1, "a=1", binary, "POST / HTTP/1.1", "7",
       std::string(binary.begin(), binary.end()), binary},
      {"POST of nothing", 1, "", {}, "POST / HTTP/1.1", "0", "", {}},
      {"GET with a body", 2, "q=2", {}, "GET / HTTP/1.1", "3", "q=2", {'q', '=', '2'}},
      {"GET leaves the body alone", 0, "a=1", {'x'}, "GET / HTTP/1.1", "", "", {'x'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(RawHttpServer::Answer(kOk));
    Bytes postBytes = c.postBytes;
    Bytes body = HttpRequest(server.Url("/"), c.method, c.postText, {}, {}, {}, {}, 0, postBytes);
    EXPECT_EQ(BodyText(body), "ok");
    EXPECT_EQ(postBytes, c.postBytesAfter);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].RequestLine(), c.requestLine);
    std::string contentLength;
    for (const std::string& line : requests[0].HeaderLines()) {
      if (line.compare(0, 16, "Content-Length: ") == 0) contentLength = line.substr(16);
    }
    EXPECT_EQ(contentLength, c.contentLength);
    EXPECT_TRUE(requests[0].body == c.body);
  }
}

TEST(HttpRequestSendTest, ASuppliedProxyCarriesPlainHttp) {
  RawHttpServer proxy(RawHttpServer::Answer(kOk));
  Bytes body = HttpRequest("http://kavoro.test/dd.php?p=0", 0, Text(), {}, {}, {}, {}, 0, {},
                           Text("127.0.0.1:" + std::to_string(proxy.Port())));
  EXPECT_EQ(BodyText(body), "ok");
  auto requests = proxy.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].RequestLine(), "GET http://kavoro.test/dd.php?p=0 HTTP/1.1");
  EXPECT_EQ(requests[0].HeaderLines()[0], "Host: kavoro.test");

  // Supplied empty, the list is "http=" alone: no proxy at all.
  RawHttpServer server(RawHttpServer::Answer(kOk));
  body = HttpRequest(server.Url("/x"), 0, Text(), {}, {}, {}, {}, 0, {}, Text(""));
  EXPECT_EQ(BodyText(body), "ok");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].RequestLine(), "GET /x HTTP/1.1");
}

TEST(HttpRequestSendTest, AnHttpsUrlAsksForTls) {
  // The plain server never answers the TLS greeting.
  InetSetTimeouts({std::chrono::milliseconds(500), std::chrono::milliseconds(300)});
  RawHttpServer plain(RawHttpServer::Answer(kOk));
  for (std::string scheme : {"https://", "HTTPS://"}) {
    SCOPED_TRACE(scheme);
    Text rawHeaders;
    Bytes body = HttpRequest(scheme + "127.0.0.1:" + std::to_string(plain.Port()) + "/", 0, Text(), {}, {}, {},
                             {}, 0, {}, std::nullopt, rawHeaders);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(rawHeaders, BlankText(5000));
  }
  // A TLS greeting is no HTTP request.
  EXPECT_TRUE(plain.Requests().empty());
  InetSetTimeouts(InetTimeouts{});
}

}  // namespace
