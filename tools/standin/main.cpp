// kavoro-standin --port N: a local stand-in of the file-hosting service for
// tests and the demo. Logs every request to stderr.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "tools/standin/standin_server.h"

int main(int argc, char** argv) {
  int port = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
      port = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: kavoro-standin [--port N]\n");
      return 2;
    }
  }
  try {
    Standin standin(port, true);
    std::fprintf(stderr, "kavoro-standin listening on 127.0.0.1:%d\n", standin.Port());
    standin.Wait();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kavoro-standin: %s\n", error.what());
    return 1;
  }
  return 0;
}
