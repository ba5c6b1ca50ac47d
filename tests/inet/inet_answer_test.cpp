// How the client reads answers: the raw header block of the final answer,
// redirects, and bodies handed out piece by piece.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/inet/fetch.h"
#include "tests/support/raw_http_server.h"
#include "tests/support/test_http_server.h"

namespace {

struct HeaderCase {
  const char* name;
  std::string answer;
  std::string rawHeaders;
  std::string body;
};

TEST(InetAnswerTest, RawHeadersAreTheFinalAnswersLinesEndedByCrLf) {
  const HeaderCase cases[] = {
      {"several lines, two Set-Cookie",
       "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX-Odd:  spaced  \r\n"
       "Content-Length: 4\r\n\r\nbody",
       "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX-Odd:  spaced  \r\n"
       "Content-Length: 4\r\n\r\n",
       "body"},
      {"bare line feeds", "HTTP/1.1 404 Not Found\nA: 1\nContent-Length: 1\n\nx",
       "HTTP/1.1 404 Not Found\r\nA: 1\r\nContent-Length: 1\r\n\r\n", "x"},
      {"an interim answer first", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\ny",
       "HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n", "y"},
      {"a chunked body with trailers",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\nX-Trailer: t\r\n\r\n",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "abcde"},
      {"a compressed body stays as sent",
       "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 3\r\n\r\nzzz",
       "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 3\r\n\r\n", "zzz"},
      {"a body that ends with the connection", "HTTP/1.0 200 OK\r\nServer: old\r\n\r\nto the end",
       "HTTP/1.0 200 OK\r\nServer: old\r\n\r\n", "to the end"},
      {"no header lines, no body", "HTTP/1.1 204 No Content\r\n\r\n", "HTTP/1.1 204 No Content\r\n\r\n", ""},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(RawHttpServer::Answer(c.answer));
    FetchRequest request;
    request.port = server.Port();
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_TRUE(result.readOk) << result.error;
    EXPECT_EQ(result.rawHeaders, c.rawHeaders);
    EXPECT_EQ(result.body, c.body);
  }
}

TEST(InetAnswerTest, RawHeadersAreWrittenOnlyWhenTheyFit) {
  const std::string block = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
  RawHttpServer server(RawHttpServer::Answer(block));
  InetHandle root = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
  InetHandle connection = InetConnect(root, "127.0.0.1", server.Port());
  InetHandle request = InetOpenRequest(connection, "GET", "/", "HTTP/1.1", 0);
  ASSERT_TRUE(InetSendRequest(request, nullptr, 0, nullptr, 0)) << InetLastError();

  std::string buffer(block.size(), '#');
  std::size_t length = buffer.size();
  EXPECT_FALSE(InetQueryRawHeaders(request, buffer.data(), &length));
  EXPECT_EQ(length, block.size() + 1);
  EXPECT_EQ(buffer, std::string(block.size(), '#'));
  EXPECT_FALSE(InetHandleError(request).empty());

  buffer.assign(block.size() + 1, '#');
  length = buffer.size();
  ASSERT_TRUE(InetQueryRawHeaders(request, buffer.data(), &length));
  EXPECT_EQ(length, block.size());
  EXPECT_EQ(buffer, block + '\0');

  InetCloseHandle(request);
  InetCloseHandle(connection);
  InetCloseHandle(root);
}

// Routes for redirects: every "/to/N" answers 302 to "/to/N-1", "/to/0"
// answers 302 to "/final"; "/post/CODE" answers CODE to "/echo", which
// tells the method and body it received.
void RedirectRoutes(httplib::Server& server) {
  server.Get(R"(/to/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    int n = std::stoi(request.matches[1]);
    response.status = 302;
    response.set_header("Location", n == 0 ? "/final" : "/to/" + std::to_string(n - 1));
    response.set_header("Set-Cookie", "hop=" + std::to_string(n));
    response.set_content("redirect body", "text/plain");
  });
  server.Get("/final", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-Final", "yes");
    response.set_content("final body", "text/plain");
  });
  server.Post(R"(/post/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.status = std::stoi(request.matches[1]);
    response.set_header("Location", "/echo");
  });
  auto echo = [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(request.method + ":" + request.body, "text/plain");
  };
  server.Get("/echo", echo);
  server.Post("/echo", echo);
  server.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
    response.status = 302;
    response.set_header("Location", "/loop");
  });
  server.Get("/nowhere", [](const httplib::Request&, httplib::Response& response) {
    response.status = 302;
    response.set_content("no Location", "text/plain");
  });
  server.Get("/ftp", [](const httplib::Request&, httplib::Response& response) {
    response.status = 301;
    response.set_header("Location", "ftp://127.0.0.1/file");
    response.set_content("not followed", "text/plain");
  });
}

std::string StatusLine(const std::optional<std::string>& rawHeaders) {
  return rawHeaders ? rawHeaders->substr(0, rawHeaders->find("\r\n")) : "(none)";
}

TEST(InetAnswerTest, FollowsRedirectsAndKeepsNoCookies) {
  TestHttpServer server(RedirectRoutes);
  FetchRequest request;
  request.port = server.Port();
  request.objectName = "/to/3";
  request.headers = "Cookie: mine=1";
  FetchResult result = Fetch(request);
  EXPECT_TRUE(result.sent) << result.error;
  EXPECT_EQ(result.body, "final body");
  EXPECT_EQ(StatusLine(result.rawHeaders), "HTTP/1.1 200 OK");
  EXPECT_NE(result.rawHeaders->find("X-Final: yes\r\n"), std::string::npos);
  EXPECT_EQ(result.rawHeaders->find("Set-Cookie"), std::string::npos);

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 5u);
  const char* targets[] = {"/to/3", "/to/2", "/to/1", "/to/0", "/final"};
  for (std::size_t i = 0; i < requests.size(); ++i) {
    SCOPED_TRACE(targets[i]);
    EXPECT_EQ(requests[i].target, targets[i]);
    // The caller's own Cookie line goes everywhere; the answers' cookies never.
    auto cookies = requests[i].headers.equal_range("Cookie");
    ASSERT_EQ(std::distance(cookies.first, cookies.second), 1);
    EXPECT_EQ(cookies.first->second, "mine=1");
  }
}

TEST(InetAnswerTest, NoAutoRedirectHandsBackTheRedirectItself) {
  TestHttpServer server(RedirectRoutes);
  FetchRequest request;
  request.port = server.Port();
  request.objectName = "/to/0";
  request.flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  FetchResult result = Fetch(request);
  EXPECT_TRUE(result.sent) << result.error;
  EXPECT_EQ(result.body, "redirect body");
  EXPECT_EQ(StatusLine(result.rawHeaders), "HTTP/1.1 302 Found");
  EXPECT_NE(result.rawHeaders->find("Location: /final\r\n"), std::string::npos);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(InetAnswerTest, RedirectsThatCannotBeFollowedAreTheFinalAnswer) {
  struct Case {
    const char* objectName;
    std::string status;
    std::string body;
    std::size_t requests;
  };
  const Case cases[] = {
      {"/loop", "HTTP/1.1 302 Found", "", 11},
      {"/nowhere", "HTTP/1.1 302 Found", "no Location", 1},
      {"/ftp", "HTTP/1.1 301 Moved Permanently", "not followed", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectName);
    TestHttpServer server(RedirectRoutes);
    FetchRequest request;
    request.port = server.Port();
    request.objectName = c.objectName;
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(StatusLine(result.rawHeaders), c.status);
    EXPECT_EQ(result.body, c.body);
    EXPECT_EQ(server.Requests().size(), c.requests);
  }
}

TEST(InetAnswerTest, PostAnsweredBy301To303ContinuesAsGet) {
  struct Case {
    const char* status;
    std::string echo;
  };
  const Case cases[] = {
      {"301", "GET:"}, {"302", "GET:"}, {"303", "GET:"}, {"307", "POST:a=1"}, {"308", "POST:a=1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    TestHttpServer server(RedirectRoutes);
    FetchRequest request;
    request.port = server.Port();
    request.verb = "POST";
    request.objectName = std::string("/post/") + c.status;
    request.headers = "Content-Type: application/x-www-form-urlencoded";
    request.body = "a=1";
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(result.body, c.echo);
  }
}

TEST(InetAnswerTest, FollowsARedirectToAnotherServer) {
  TestHttpServer target(RedirectRoutes);
  RawHttpServer first(RawHttpServer::Answer("HTTP/1.1 301 Moved\r\nLocation: " + target.Url("/final") +
                                            "\r\nContent-Length: 0\r\n\r\n"));
  FetchRequest request;
  request.port = first.Port();
  FetchResult result = Fetch(request);
  EXPECT_TRUE(result.sent) << result.error;
  EXPECT_EQ(result.body, "final body");
  auto requests = target.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].headers.find("Host")->second, "127.0.0.1:" + std::to_string(target.Port()));
}

std::string Pattern(std::size_t size) {
  std::string body(size, '\0');
  for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 1000) & 0xFF);
  return body;
}

TEST(InetAnswerTest, HandsOutTheBodyInPiecesOfAnySize) {
  const std::string body = Pattern(3 * 1024 * 1024 + 17);
  TestHttpServer server([&](httplib::Server& http) {
    http.Get("/big", [&](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "application/octet-stream");
    });
  });
  for (std::size_t readSize : {std::size_t{1}, std::size_t{7}, std::size_t{1024}, std::size_t{1} << 20}) {
    SCOPED_TRACE(readSize);
    FetchRequest request;
    request.port = server.Port();
    request.objectName = "/big";
    request.readSize = readSize;
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.readOk) << result.error;
    EXPECT_EQ(result.body.size(), body.size());
    EXPECT_TRUE(result.body == body);
  }
}

TEST(InetAnswerTest, RequestsOnSeveralThreadsAtOnce) {
  TestHttpServer server([](httplib::Server& http) {
    http.Get(R"(/n/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
      response.set_content(std::string(100000, static_cast<char>('a' + std::stoi(request.matches[1]))),
                           "text/plain");
    });
  });
  constexpr int kThreads = 6;
  std::vector<FetchResult> results(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      FetchRequest request;
      request.port = server.Port();
      request.objectName = "/n/" + std::to_string(i);
      results[i] = Fetch(request);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(results[i].readOk) << results[i].error;
    EXPECT_TRUE(results[i].body == std::string(100000, static_cast<char>('a' + i)));
  }
}

}  // namespace
