// Closing the window while captcha refreshes still wait on a service that
// takes the connection and never answers: the program ends at once, with
// status 0, and nothing crashes on the way out.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "x_session.h"

namespace {

using namespace std::chrono_literals;

// A loopback listener that accepts and never answers; -1 when the port is
// taken.
int SilentListener(int port) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 16) != 0) {
    close(listener);
    return -1;
  }
  return listener;
}

// Accepts up to `count` connections within the timeout and keeps them open.
std::vector<int> AcceptConnections(int listener, int count, std::chrono::milliseconds timeout) {
  std::vector<int> connections;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (static_cast<int>(connections.size()) < count && std::chrono::steady_clock::now() < end) {
    pollfd waiting{listener, POLLIN, 0};
    if (poll(&waiting, 1, 100) == 1) connections.push_back(accept(listener, nullptr, nullptr));
  }
  return connections;
}

TEST(KavoroOnAnXServer, ClosingWhileRefreshesWaitOnASilentServiceEndsAtOnceWith0) {
  const int listener = SilentListener(KAVORO_SILENT_SERVICE_PORT);
  ASSERT_GE(listener, 0) << "port " << KAVORO_SILENT_SERVICE_PORT << " is taken";
  auto session = XSession::Start();
  ASSERT_TRUE(session) << "Xvfb did not start";
  const pid_t program = session->Launch({KAVORO_PROGRAM});
  ASSERT_GT(program, 0);
  const auto window = session->FindWindow("kavoro取下载地址", 30s);
  ASSERT_TRUE(window);

  // Into the download-ID box and out again, three times: three refreshes, the
  // first waiting on the service, the others for the cookie jar it holds.
  const std::string click = "DISPLAY=" + session->Display() + " xdotool mousemove --window " +
                            std::to_string(*window) + " ";
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(std::system((click + "128 22 click 1").c_str()), 0);
    std::this_thread::sleep_for(200ms);
    ASSERT_EQ(std::system((click + "160 79 click 1").c_str()), 0);
    std::this_thread::sleep_for(200ms);
  }
  const std::vector<int> connections = AcceptConnections(listener, 1, 10s);
  ASSERT_EQ(connections.size(), 1u) << "the first refresh reached the service";

  session->CloseWindow(*window);
  // The silent requests would hold out for 30 s: ending well before shows
  // that nothing waits for them.
  EXPECT_EQ(WaitForExit(program, 10s), 0);
  for (int connection : connections) close(connection);
  close(listener);
}

}  // namespace
