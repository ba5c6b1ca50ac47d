// What HttpRequest makes of the answer: the body, the raw headers, the
// cookies it sets and merges, the location; and what it leaves when the
// exchange fails or the server misbehaves.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "http/http_request.h"
#include "inet/inet.h"
#include "tests/support/raw_http_server.h"
#include "tests/support/test_http_server.h"

namespace {

std::string BodyText(const Bytes& body) { return std::string(body.begin(), body.end()); }

struct ScanCase {
  const char* name;
  std::string answer;
  std::optional<std::string> cookies;  // supplied or not
  std::string locationBefore;
  std::string newCookies;
  std::string cookiesAfter;
  std::string location;  // "{raw}" stands for the whole header block
  std::string body;
};

TEST(HttpRequestAnswerTest, ScansTheHeadersForCookiesAndLocation) {
  const ScanCase cases[] = {
      {"two Set-Cookie lines", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n\r\n",
       std::nullopt, "", "a=1; b=2", "", "{raw}", ""},
      {"a Set-Cookie line without a semicolon gives an empty item",
       "HTTP/1.1 200 OK\r\nSet-Cookie: b=2; path=/\r\nSet-Cookie: a=1\r\n\r\n", std::nullopt, "", "b=2; ", "",
       "{raw}", ""},
      {"only an item without a semicolon", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n\r\n", std::nullopt, "", "", "",
       "{raw}", ""},
      {"merged into the cookies supplied",
       "HTTP/1.1 200 OK\r\nSet-Cookie: sid=B2; path=/\r\nSet-Cookie: token=T9;\r\nContent-Length: 2\r\n\r\nok",
       "sid=A1; lang=cn", "", "sid=B2;token=T9", "sid=B2; token=T9; lang=cn", "{raw}", "ok"},
      {"a deleted cookie leaves the jar", "HTTP/1.1 200 OK\r\nSet-Cookie: a=deleted; expires=x\r\n\r\n",
       "a=1; b=2", "", "a=deleted", "b=2", "{raw}", ""},
      {"cookies supplied empty, none set", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", "", "", "", "",
       "{raw}", "ok"},
      {"Location", "HTTP/1.1 302 Found\r\nLocation: http://example.com/next\r\nContent-Length: 0\r\n\r\n",
       std::nullopt, "", "", "", "http://example.com/next", ""},
      {"Content-Location", "HTTP/1.1 200 OK\r\nContent-Location: /x\r\n\r\n", std::nullopt, "", "", "", "/x", ""},
      {"the last line wins", "HTTP/1.1 301 Moved\r\nLocation: /a\r\nContent-Location: /b\r\n\r\n", std::nullopt,
       "", "", "", "/b", ""},
      {"a location the caller gave stays", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", std::nullopt, "mine",
       "", "", "mine", "ok"},
      {"names are matched with case", "HTTP/1.1 200 OK\r\nset-cookie: a=1;\r\nlocation: /x\r\n\r\n", std::nullopt,
       "", "", "", "{raw}", ""},
      {"no body", "HTTP/1.1 204 No Content\r\nSet-Cookie: e=1;\r\n\r\n", std::nullopt, "", "e=1", "", "{raw}", ""},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(RawHttpServer::Answer(c.answer));
    Text cookies = c.cookies.value_or("");
    Text newCookies = "stale";
    Text location = c.locationBefore;
    Text rawHeaders;
    Bytes body = c.cookies ? HttpRequest(server.Url("/"), 0, Text(), cookies, newCookies, {}, location, 1, {},
                                         std::nullopt, rawHeaders)
                           : HttpRequest(server.Url("/"), 0, Text(), {}, newCookies, {}, location, 1, {},
                                         std::nullopt, rawHeaders);
    const std::string raw = c.answer.substr(0, c.answer.find("\r\n\r\n") + 4);
    EXPECT_EQ(BodyText(body), c.body);
    EXPECT_EQ(rawHeaders.Str(), raw);
    EXPECT_EQ(newCookies.Str(), c.newCookies);
    EXPECT_EQ(cookies.Str(), c.cookiesAfter);
    EXPECT_EQ(location.Str(), c.location == "{raw}" ? raw : c.location);
  }
}

TEST(HttpRequestAnswerTest, TheCaptchaFetchFillsTheJarItPassesTwice) {
  RawHttpServer server(
      RawHttpServer::Answer("HTTP/1.1 200 OK\r\nSet-Cookie: x=1; path=/\r\nSet-Cookie: y=2;\r\n"
                            "Set-Cookie: x=1; HttpOnly\r\nContent-Length: 3\r\n\r\nGIF"));
  Text cookieJar = "old=1";
  Bytes body = HttpRequest(server.Url("/downcode.php"), 0, Text(), cookieJar, cookieJar);
  EXPECT_EQ(BodyText(body), "GIF");
  EXPECT_EQ(cookieJar.Str(), "x=1; y=2");
  // The jar was read before the answer emptied it.
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0].head.find("\r\nCookie: old=1\r\n"), std::string::npos);
}

RawHttpServer::Reply TwoStepRedirect() {
  return [](const RecordedRequest& request, RawConnection& connection) {
    if (request.RequestLine().find(" /first ") != std::string::npos) {
      connection.Send("HTTP/1.1 302 Found\r\nLocation: /second\r\nSet-Cookie: hop=1; path=/\r\n"
                      "Content-Length: 5\r\n\r\nfirst");
    } else {
      connection.Send("HTTP/1.1 200 OK\r\nSet-Cookie: final=1;\r\nContent-Length: 6\r\n\r\nsecond");
    }
  };
}

TEST(HttpRequestAnswerTest, RedirectsAreFollowedUnlessNoRedirect) {
  RawHttpServer server(TwoStepRedirect());
  Text cookies, newCookies, location, rawHeaders;
  Bytes body = HttpRequest(server.Url("/first"), 0, Text(), cookies, newCookies, {}, location, 0, {},
                           std::nullopt, rawHeaders);
  EXPECT_EQ(BodyText(body), "second");
  EXPECT_EQ(rawHeaders.Str(), "HTTP/1.1 200 OK\r\nSet-Cookie: final=1;\r\nContent-Length: 6\r\n\r\n");
  // Only the final answer's cookies reach the caller, whose jar was empty:
  // the client carries no cookie from one answer to the next request.
  EXPECT_EQ(newCookies.Str(), "final=1");
  EXPECT_EQ(cookies.Str(), "final=1");
  EXPECT_EQ(location, rawHeaders);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].RequestLine(), "GET /second HTTP/1.1");
  EXPECT_EQ(requests[1].head.find("Cookie:"), std::string::npos);

  RawHttpServer second(TwoStepRedirect());
  cookies = Text();
  location = Text();
  body = HttpRequest(second.Url("/first"), 0, Text(), cookies, newCookies, {}, location, 1);
  EXPECT_EQ(BodyText(body), "first");
  EXPECT_EQ(location.Str(), "/second");
  EXPECT_EQ(newCookies.Str(), "hop=1");
  EXPECT_EQ(second.Requests().size(), 1u);
}

// Every output variable, set to values that show whether the call wrote it.
struct Outputs {
  Text cookies = "a=1;b=2";
  Text newCookies = "before";
  Text extraHeaders = "";
  Text location = "";
  Bytes postBytes;
  Text rawHeaders = "before";
};

Bytes RequestWith(const std::string& url, Outputs& out, const std::optional<Text>& proxy = std::nullopt) {
  return HttpRequest(url, 1, "p=1", out.cookies, out.newCookies, out.extraHeaders, out.location, 0, out.postBytes,
                     proxy, out.rawHeaders);
}

TEST(HttpRequestAnswerTest, AFailedExchangeStillWritesTheOutputs) {
  int deadPort = RawHttpServer(RawHttpServer::Answer("")).Port();
  const std::string url = "http://127.0.0.1:" + std::to_string(deadPort) + "/x";
  Outputs out;
  Bytes body = RequestWith(url, out);
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(out.extraHeaders.Str(), "Referer: " + url +
                                        "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                        "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1;b=2");
  EXPECT_EQ(out.postBytes, Bytes({'p', '=', '1'}));
  EXPECT_EQ(out.rawHeaders, BlankText(5000));
  EXPECT_EQ(out.newCookies.Str(), "");
  EXPECT_EQ(out.cookies.Str(), "a=1; b=2");
  EXPECT_EQ(out.location, BlankText(5000));
}

TEST(HttpRequestAnswerTest, AClientThatCannotBeSetUpTouchesNothing) {
  struct Case {
    const char* name;
    std::string url;
    std::optional<Text> proxy;
  };
  const Case cases[] = {
      {"a proxy that is no address", "http://127.0.0.1/x", Text("127.0.0.1:port")},
      {"no host", "http:///x", std::nullopt},
      {"an empty URL", "", std::nullopt},
      {"a port out of range", "http://127.0.0.1:70000/x", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Outputs out;
    Bytes body = RequestWith(c.url, out, c.proxy);
    const Outputs untouched;
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(out.cookies, untouched.cookies);
    EXPECT_EQ(out.newCookies, untouched.newCookies);
    EXPECT_EQ(out.extraHeaders, untouched.extraHeaders);
    EXPECT_EQ(out.location, untouched.location);
    EXPECT_EQ(out.postBytes, untouched.postBytes);
    EXPECT_EQ(out.rawHeaders, untouched.rawHeaders);
  }
}

TEST(HttpRequestAnswerTest, AHeaderBlockOver5000BytesIsNotRead) {
  const std::string answer = "HTTP/1.1 302 Found\r\nX-Pad: " + std::string(5000, 'p') +
                             "\r\nSet-Cookie: a=1;\r\nLocation: /next\r\nContent-Length: 2\r\n\r\nok";
  RawHttpServer server(RawHttpServer::Answer(answer));
  Outputs out;
  Bytes body = HttpRequest(server.Url("/"), 0, Text(), out.cookies, out.newCookies, {}, out.location, 1, {},
                           std::nullopt, out.rawHeaders);
  EXPECT_EQ(BodyText(body), "ok");
  EXPECT_EQ(out.rawHeaders, BlankText(5000));
  EXPECT_EQ(out.newCookies.Str(), "");
  EXPECT_EQ(out.cookies.Str(), "a=1; b=2");
  EXPECT_EQ(out.location, BlankText(5000));
}

class HttpRequestHostileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InetSetTimeouts({std::chrono::milliseconds(1000), std::chrono::milliseconds(300)});
  }
  void TearDown() override { InetSetTimeouts(InetTimeouts{}); }
};

TEST_F(HttpRequestHostileTest, MisbehavingServersGiveADefinedResult) {
  std::string manyLines = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 100000; ++i) manyLines += "X-Line-" + std::to_string(i) + ": v\r\n";
  manyLines += "Content-Length: 2\r\n\r\nok";
  auto stallAfter = [](std::string bytes) -> RawHttpServer::Reply {
    return [bytes](const RecordedRequest&, RawConnection& connection) {
      connection.Send(bytes);
      connection.Stall();
      connection.Close();
    };
  };
  struct Case {
    const char* name;
    RawHttpServer::Reply reply;
    std::string body;
    std::string rawHeaders;  // empty: the 5000 blanks
  };
  const Case cases[] = {
      {"closed mid-body",
       RawHttpServer::Answer("HTTP/1.1 200 OK\r\nSet-Cookie: s=1;\r\nContent-Length: 50\r\n\r\nonly part"),
       "only part", "HTTP/1.1 200 OK\r\nSet-Cookie: s=1;\r\nContent-Length: 50\r\n\r\n"},
      {"100,000 header lines", RawHttpServer::Answer(manyLines), "", ""},
      {"nothing after the status line", stallAfter("HTTP/1.1 200 OK\r\n"), "", ""},
      {"silent mid-body", stallAfter("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc"), "abc",
       "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n"},
      {"garbage instead of HTTP", RawHttpServer::Answer("\x16\x03\x01 garbage\r\n\r\n<html>"), "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(c.reply);
    Text cookies, location, rawHeaders;
    Bytes body = HttpRequest(server.Url("/"), 0, Text(), cookies, {}, {}, location, 0, {}, std::nullopt,
                             rawHeaders);
    const Text expected = c.rawHeaders.empty() ? BlankText(5000) : Text(c.rawHeaders);
    EXPECT_EQ(BodyText(body), c.body);
    EXPECT_EQ(rawHeaders, expected);
    EXPECT_EQ(location, expected);
  }
}

TEST_F(HttpRequestHostileTest, ABodyOf200MegabytesArrivesWhole) {
  constexpr std::size_t kSize = 200u * 1024 * 1024;
  auto byteAt = [](std::size_t i) { return static_cast<std::uint8_t>(i % 251); };
  TestHttpServer server([&](httplib::Server& http) {
    http.Get("/big", [&](const httplib::Request&, httplib::Response& response) {
      response.set_content_provider(kSize, "application/octet-stream",
                                    [&](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                      std::string chunk(std::min<std::size_t>(length, 1 << 16), '\0');
                                      for (std::size_t i = 0; i < chunk.size(); ++i) {
                                        chunk[i] = static_cast<char>(byteAt(offset + i));
                                      }
                                      return sink.write(chunk.data(), chunk.size());
                                    });
    });
  });
  Bytes body = HttpRequest(server.Url("/big"));
  ASSERT_EQ(body.size(), kSize);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < kSize; ++i) wrong += body[i] != byteAt(i);
  EXPECT_EQ(wrong, 0u);
}

}  // namespace
