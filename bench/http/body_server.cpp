// kavoro-bench-body-server SIZE: serves SIZE bytes at any path on a free
// loopback port, for the download benchmark. Prints the port, then serves
// until its standard input closes.

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kavoro-bench-body-server SIZE\n");
    return 2;
  }
  const std::size_t size = std::strtoull(argv[1], nullptr, 10);
  const std::string block(1 << 20, 'k');

  httplib::Server server;
  server.Get(".*", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(size, "application/octet-stream",
                                  [&](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                    std::size_t count = std::min(length, block.size() - offset % block.size());
                                    return sink.write(block.data() + offset % block.size(), count);
                                  });
  });
  int port = server.bind_to_any_port("127.0.0.1");
  if (port <= 0) return 1;
  std::thread serving([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::printf("%d\n", port);
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  server.stop();
  serving.join();
  return 0;
}
