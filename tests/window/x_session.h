#pragma once
// A private X server (Xvfb on a free display), programs started against it,
// and what a test or a benchmark needs to see of their windows.

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

class XSession {
 public:
  // Starts Xvfb with one 1024 x 768 screen; nullopt when it does not start.
  static std::optional<XSession> Start();
  XSession(XSession&& other) noexcept;
  XSession& operator=(XSession&&) = delete;
  ~XSession();

  const std::string& Display() const { return display_; }

  // Starts a program with DISPLAY set to this server; -1 on failure.
  pid_t Launch(const std::vector<std::string>& command) const;

  // Starts watching for windows that get mapped; WaitForMappedWindow reports
  // the first one mapped since then.
  void WatchMappedWindows();
  std::optional<std::uint32_t> WaitForMappedWindow(std::chrono::milliseconds timeout);

  // A top-level window of this title (UTF-8), looked for until the timeout.
  std::optional<std::uint32_t> FindWindow(const std::string& title, std::chrono::milliseconds timeout);

  // Asks the window to close, as a window manager's close box does.
  void CloseWindow(std::uint32_t window);

 private:
  XSession(pid_t server, std::string display, xcb_connection_t* connection);
  std::uint32_t Atom(const char* name);

  pid_t server_ = -1;
  std::string display_;
  xcb_connection_t* connection_ = nullptr;
};

// The exit status of a program, or nullopt when it has not ended within the
// timeout (it is then killed). `usage` receives its resource use.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds timeout, rusage* usage = nullptr);
