// From process start to the window shown (mapped on the X server), and the
// process's peak memory: the program beside minimal Qt window programs built
// the same way. Each run starts a program on a private Xvfb, waits for its
// window, closes it and collects the exit. The programs take turns, round by
// round, so that a change in the machine's load falls on all of them alike;
// the medians are compared.
//
//   window_startup_bench [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "x_session.h"

namespace {

using namespace std::chrono_literals;

struct Program {
  const char* name;
  std::vector<std::string> command;
  std::vector<double> milliseconds;
  std::vector<double> peakKb;
};

bool RunOnce(XSession& session, Program& program) {
  session.WatchMappedWindows();
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = session.Launch(program.command);
  const auto window = pid > 0 ? session.WaitForMappedWindow(30s) : std::nullopt;
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  if (!window) return false;
  session.CloseWindow(*window);
  rusage usage{};
  if (WaitForExit(pid, 30s, &usage) != 0) return false;
  program.milliseconds.push_back(elapsed.count());
  program.peakKb.push_back(static_cast<double>(usage.ru_maxrss));
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  auto session = XSession::Start();
  if (!session) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  std::vector<Program> programs = {
      {"kavoro", {KAVORO_PROGRAM}, {}, {}},
      {"minimal window", {MINIMAL_WINDOW_PROGRAM}, {}, {}},
      {"minimal window with a label", {MINIMAL_WINDOW_PROGRAM, "--label"}, {}, {}},
  };
  // A first run of each fills the file caches; it is not counted.
  for (Program& program : programs) {
    if (!RunOnce(*session, program)) {
      std::fprintf(stderr, "%s: the window did not appear or the program did not end with 0\n", program.name);
      return 1;
    }
    program.milliseconds.clear();
    program.peakKb.clear();
  }
  for (int round = 0; round < rounds; ++round) {
    for (Program& program : programs) {
      if (!RunOnce(*session, program)) {
        std::fprintf(stderr, "%s: the window did not appear or the program did not end with 0\n", program.name);
        return 1;
      }
    }
  }

  std::printf("%-30s %22s %16s\n", "program", "start to shown (ms)", "peak memory (kB)");
  for (const Program& program : programs) {
    std::printf("%-30s %8.1f median %6.1f min %16.0f\n", program.name, Median(program.milliseconds),
                *std::min_element(program.milliseconds.begin(), program.milliseconds.end()),
                Median(program.peakKb));
  }
  const Program& ours = programs[0];
  for (std::size_t i = 1; i < programs.size(); ++i) {
    std::printf("kavoro / %s: time %.2f, memory %.2f\n", programs[i].name,
                Median(ours.milliseconds) / Median(programs[i].milliseconds),
                Median(ours.peakKb) / Median(programs[i].peakKb));
  }
  return 0;
}
