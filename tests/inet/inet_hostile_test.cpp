// Servers that misbehave: every exchange ends, with what arrived until then
// as the body, and never hangs.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/inet/fetch.h"
#include "tests/support/raw_http_server.h"

namespace {

class InetHostileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InetSetTimeouts({std::chrono::milliseconds(1000), std::chrono::milliseconds(300)});
  }
  void TearDown() override { InetSetTimeouts(InetTimeouts{}); }
};

std::string ManyHeaderLines(int count) {
  std::string answer = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < count; ++i) answer += "X-Line-" + std::to_string(i) + ": v\r\n";
  return answer + "Content-Length: 2\r\n\r\nok";
}

struct HostileCase {
  const char* name;
  RawHttpServer::Reply reply;
  bool sent;
  std::string body;
  bool readOk;
  bool headers;
};

TEST_F(InetHostileTest, EveryExchangeEndsWithWhatArrived) {
  auto sendThen = [](std::string bytes, bool stall) -> RawHttpServer::Reply {
    return [bytes, stall](const RecordedRequest&, RawConnection& connection) {
      connection.Send(bytes);
      if (stall) connection.Stall();
      connection.Close();
    };
  };
  const HostileCase cases[] = {
      {"text instead of HTTP", RawHttpServer::Answer("this is no HTTP at all\r\n\r\n"), false, "", false, false},
      {"binary garbage", RawHttpServer::Answer(std::string("\x00\xff\x13\x37\r\n\r\n\x01", 9)), false, "", false,
       false},
      {"closed without an answer", RawHttpServer::Answer(""), false, "", false, false},
      {"closed after the status line", RawHttpServer::Answer("HTTP/1.1 200 OK\r\n"), false, "", false, false},
      {"closed mid-body", RawHttpServer::Answer("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly part"), true,
       "only part", false, true},
      {"closed mid-chunk",
       RawHttpServer::Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\n9\r\nfg"), true,
       "abcdefg", false, true},
      {"silent", sendThen("", true), false, "", false, false},
      {"silent after the status line", sendThen("HTTP/1.1 200 OK\r\n", true), false, "", false, false},
      {"silent mid-body", sendThen("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true), true, "abc", false,
       true},
      {"100,000 header lines", RawHttpServer::Answer(ManyHeaderLines(100000)), false, "", false, false},
      {"one header line of 300 KB",
       RawHttpServer::Answer("HTTP/1.1 200 OK\r\nX-Big: " + std::string(300 * 1024, 'h') + "\r\n\r\n"), false,
       "", false, false},
      {"an odd status", RawHttpServer::Answer("HTTP/1.1 999 Whatever\r\nContent-Length: 1\r\n\r\n!"), true, "!",
       true, true},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(c.reply);
    FetchRequest request;
    request.port = server.Port();
    FetchResult result = Fetch(request);
    EXPECT_EQ(result.sent, c.sent) << result.error;
    EXPECT_EQ(result.body, c.body);
    EXPECT_EQ(result.readOk, c.readOk);
    EXPECT_EQ(result.rawHeaders.has_value(), c.headers);
    if (!c.sent || !c.readOk) {
      EXPECT_FALSE(result.error.empty());
    }
  }
}

TEST_F(InetHostileTest, ARefusedConnectionFailsTheSend) {
  int port;
  { port = RawHttpServer(RawHttpServer::Answer("")).Port(); }
  FetchRequest request;
  request.port = port;
  FetchResult result = Fetch(request);
  EXPECT_FALSE(result.sent);
  EXPECT_FALSE(result.rawHeaders);
  EXPECT_EQ(result.body, "");
  EXPECT_FALSE(result.error.empty());
}

TEST_F(InetHostileTest, AConnectionThatNeverCompletesTimesOut) {
  // A listener that accepts nothing: once its queue is full, further
  // connection attempts get no answer at all.
  int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
  std::vector<int> fillers;
  for (int i = 0; i < 8; ++i) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    connect(fd, reinterpret_cast<sockaddr*>(&address), size);
    fillers.push_back(fd);
  }

  FetchRequest request;
  request.port = ntohs(address.sin_port);
  FetchResult result = Fetch(request);
  EXPECT_FALSE(result.sent);
  EXPECT_FALSE(result.error.empty());

  for (int fd : fillers) close(fd);
  close(listener);
}

TEST_F(InetHostileTest, SecureMeansTls) {
  RawHttpServer plain(RawHttpServer::Answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
  FetchRequest request;
  request.port = plain.Port();
  request.flags |= INTERNET_FLAG_SECURE;
  FetchResult result = Fetch(request);
  EXPECT_FALSE(result.sent);
  EXPECT_EQ(result.body, "");
  // A TLS greeting is no HTTP request.
  EXPECT_TRUE(plain.Requests().empty());
}

}  // namespace
