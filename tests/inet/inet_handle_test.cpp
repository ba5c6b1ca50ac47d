// Handles are checked on every call: null, closed and wrong-kind handles
// and bad arguments fail with a reason instead of being used.

#include <gtest/gtest.h>

#include <string>

#include "inet/inet.h"
#include "tests/support/raw_http_server.h"

namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

class Handles {
 public:
  explicit Handles(int port) {
    root = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
    connection = InetConnect(root, "127.0.0.1", port);
    request = InetOpenRequest(connection, "GET", "/", "HTTP/1.1", 0);
  }
  ~Handles() {
    InetCloseHandle(request);
    InetCloseHandle(connection);
    InetCloseHandle(root);
  }
  InetHandle root, connection, request;
};

bool FailsWithReason(bool succeeded) { return !succeeded && !InetLastError().empty(); }

TEST(InetHandleTest, CallsOnNullClosedOrWrongHandlesFail) {
  RawHttpServer server(RawHttpServer::Answer(kOk));
  Handles h(server.Port());
  ASSERT_TRUE(h.root && h.connection && h.request);
  InetHandle closed = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
  ASSERT_TRUE(InetCloseHandle(closed));
  char buffer[64];
  std::size_t count = 99;
  std::size_t length = sizeof buffer;

  for (InetHandle wrong : {InetHandle{}, closed, h.connection, h.request}) {
    EXPECT_TRUE(FailsWithReason(InetConnect(wrong, "127.0.0.1", server.Port()) != nullptr));
  }
  for (InetHandle wrong : {InetHandle{}, closed, h.root, h.request}) {
    EXPECT_TRUE(FailsWithReason(InetOpenRequest(wrong, "GET", "/", nullptr, 0) != nullptr));
  }
  for (InetHandle wrong : {InetHandle{}, closed, h.root, h.connection}) {
    EXPECT_TRUE(FailsWithReason(InetSendRequest(wrong, nullptr, 0, nullptr, 0)));
    EXPECT_TRUE(FailsWithReason(InetReadFile(wrong, buffer, sizeof buffer, &count)));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(FailsWithReason(InetQueryRawHeaders(wrong, buffer, &length)));
  }
  EXPECT_TRUE(FailsWithReason(InetCloseHandle(closed)));
  EXPECT_TRUE(FailsWithReason(InetCloseHandle(nullptr)));
  EXPECT_EQ(InetHandleError(closed), "");
  EXPECT_TRUE(server.Requests().empty());
}

TEST(InetHandleTest, BadArgumentsGiveNoHandle) {
  InetHandle root = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
  InetHandle connection = InetConnect(root, "127.0.0.1", 80);
  ASSERT_TRUE(root && connection);

  EXPECT_TRUE(FailsWithReason(InetOpen("a", 0, nullptr) != nullptr));
  EXPECT_TRUE(FailsWithReason(InetOpen("a", 4, nullptr) != nullptr));
  for (const char* list : {"http=127.0.0.1:port", "http=127.0.0.1:0", "http=127.0.0.1:65536", "http=bad?host:80",
                           "bad^host"}) {
    SCOPED_TRACE(list);
    EXPECT_TRUE(FailsWithReason(InetOpen("a", INTERNET_OPEN_TYPE_PROXY, list) != nullptr));
  }
  InetHandle empty = InetOpen("a", INTERNET_OPEN_TYPE_PROXY, "http=");
  EXPECT_NE(empty, nullptr);
  InetCloseHandle(empty);

  EXPECT_TRUE(FailsWithReason(InetConnect(root, "", 80) != nullptr));
  EXPECT_TRUE(FailsWithReason(InetConnect(root, nullptr, 80) != nullptr));
  EXPECT_TRUE(FailsWithReason(InetConnect(root, "127.0.0.1", -1) != nullptr));
  EXPECT_TRUE(FailsWithReason(InetConnect(root, "127.0.0.1", 65536) != nullptr));
  EXPECT_FALSE(InetHandleError(root).empty());

  for (const char* verb : {"", "G T", "GET\r\nX: 1", "G/T"}) {
    SCOPED_TRACE(verb);
    EXPECT_TRUE(FailsWithReason(InetOpenRequest(connection, verb, "/", "HTTP/1.1", 0) != nullptr));
  }
  EXPECT_TRUE(FailsWithReason(InetOpenRequest(connection, nullptr, "/", "HTTP/1.1", 0) != nullptr));
  EXPECT_TRUE(FailsWithReason(InetOpenRequest(connection, "GET", "/", "HTTP/2", 0) != nullptr));

  InetCloseHandle(connection);
  InetCloseHandle(root);
}

TEST(InetHandleTest, ARequestIsSentOnceAndReadOnlyAfterItWasSent) {
  RawHttpServer server(RawHttpServer::Answer(kOk));
  Handles h(server.Port());
  char buffer[64];
  std::size_t count = 99;
  std::size_t length = sizeof buffer;
  EXPECT_TRUE(FailsWithReason(InetReadFile(h.request, buffer, sizeof buffer, &count)));
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(FailsWithReason(InetQueryRawHeaders(h.request, buffer, &length)));
  EXPECT_FALSE(InetHandleError(h.request).empty());

  EXPECT_TRUE(InetSendRequest(h.request, "X: 1", 4, nullptr, 0)) << InetLastError();
  EXPECT_TRUE(FailsWithReason(InetSendRequest(h.request, "X: 1", 4, nullptr, 0)));
  EXPECT_TRUE(FailsWithReason(InetSendRequest(h.request, nullptr, 3, nullptr, 0)));
  EXPECT_TRUE(InetReadFile(h.request, buffer, sizeof buffer, &count));
  EXPECT_EQ(std::string(buffer, count), "ok");
  EXPECT_TRUE(InetReadFile(h.request, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(InetHandleTest, AHostThatCannotBeAHostFailsTheSend) {
  RawHttpServer server(RawHttpServer::Answer(kOk));
  for (const char* host : {"127.0.0.1?x=1", "127.0.0.1/x", "user@127.0.0.1", "a b", "\xd6\xd0.test"}) {
    SCOPED_TRACE(host);
    InetHandle root = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
    InetHandle connection = InetConnect(root, host, server.Port());
    InetHandle request = InetOpenRequest(connection, "GET", "/", "HTTP/1.1", 0);
    ASSERT_NE(request, nullptr);
    EXPECT_TRUE(FailsWithReason(InetSendRequest(request, nullptr, 0, nullptr, 0)));
    InetCloseHandle(request);
    InetCloseHandle(connection);
    InetCloseHandle(root);
  }
  EXPECT_TRUE(server.Requests().empty());
}

TEST(InetHandleTest, ClosingParentsFirstLeavesTheRequestWorking) {
  RawHttpServer server(RawHttpServer::Answer(kOk));
  InetHandle root = InetOpen("a", INTERNET_OPEN_TYPE_DIRECT, nullptr);
  InetHandle connection = InetConnect(root, "127.0.0.1", server.Port());
  InetHandle request = InetOpenRequest(connection, "GET", "/", nullptr, 0);
  EXPECT_TRUE(InetCloseHandle(root));
  EXPECT_TRUE(InetCloseHandle(connection));
  EXPECT_TRUE(InetSendRequest(request, nullptr, 0, nullptr, 0)) << InetLastError();
  char buffer[8];
  std::size_t count = 0;
  EXPECT_TRUE(InetReadFile(request, buffer, sizeof buffer, &count));
  EXPECT_EQ(std::string(buffer, count), "ok");
  EXPECT_TRUE(InetCloseHandle(request));
}

TEST(InetHandleTest, ClosingARequestMidBodyEndsTheExchange) {
  RawHttpServer server([](const RecordedRequest&, RawConnection& connection) {
    connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" + std::string(1000, 'x'));
    connection.Stall();
    connection.Close();
  });
  Handles h(server.Port());
  ASSERT_TRUE(InetSendRequest(h.request, nullptr, 0, nullptr, 0)) << InetLastError();
  char buffer[100];
  std::size_t count = 0;
  EXPECT_TRUE(InetReadFile(h.request, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 100u);
  EXPECT_TRUE(InetCloseHandle(h.request));
  h.request = nullptr;
}

}  // namespace
