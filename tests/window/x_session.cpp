#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

extern char** environ;

namespace {

std::vector<char*> EnvironmentWith(const std::vector<std::string>& extra, std::vector<std::string>& storage) {
  storage = extra;
  std::vector<char*> env;
  for (char** entry = environ; *entry; ++entry) {
    bool replaced = false;
    for (const auto& e : extra) {
      const auto name = e.substr(0, e.find('=') + 1);
      if (std::strncmp(*entry, name.c_str(), name.size()) == 0) replaced = true;
    }
    if (!replaced) env.push_back(*entry);
  }
  for (auto& e : storage) env.push_back(e.data());
  env.push_back(nullptr);
  return env;
}

std::string ReadDisplayNumber(int fd, std::chrono::milliseconds timeout) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return number;
    number += c;
  }
  return {};
}

}  // namespace

std::optional<XSession> XSession::Start() {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return std::nullopt;
  // Xvfb picks a free display itself and writes its number to this pipe.
  const std::string fd = std::to_string(pipeFds[1]);
  std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t server = -1;
  const int spawned = posix_spawnp(&server, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return std::nullopt;
  }
  const std::string number = ReadDisplayNumber(pipeFds[0], std::chrono::seconds(20));
  close(pipeFds[0]);
  const std::string display = ":" + number;
  xcb_connection_t* connection = number.empty() ? nullptr : xcb_connect(display.c_str(), nullptr);
  if (!connection || xcb_connection_has_error(connection)) {
    if (connection) xcb_disconnect(connection);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return std::nullopt;
  }
  return XSession(server, display, connection);
}

XSession::XSession(pid_t server, std::string display, xcb_connection_t* connection)
    : server_(server), display_(std::move(display)), connection_(connection) {}

XSession::XSession(XSession&& other) noexcept
    : server_(std::exchange(other.server_, -1)),
      display_(std::move(other.display_)),
      connection_(std::exchange(other.connection_, nullptr)) {}

XSession::~XSession() {
  if (connection_) xcb_disconnect(connection_);
  if (server_ > 0) {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
  }
}

pid_t XSession::Launch(const std::vector<std::string>& command) const {
  std::vector<std::string> storage;
  auto env = EnvironmentWith({"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"}, storage);
  std::vector<std::string> args = command;
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), env.data()) != 0) return -1;
  return pid;
}

std::uint32_t XSession::Atom(const char* name) {
  auto cookie = xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection_, cookie, nullptr), &std::free);
  return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

void XSession::WatchMappedWindows() {
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  while (auto* event = xcb_poll_for_event(connection_)) std::free(event);
}

std::optional<std::uint32_t> XSession::WaitForMappedWindow(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const int fd = xcb_get_file_descriptor(connection_);
  while (std::chrono::steady_clock::now() < deadline) {
    while (auto* event = xcb_poll_for_event(connection_)) {
      const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
      const std::uint32_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
      std::free(event);
      if (mapped) return window;
    }
    pollfd p{fd, POLLIN, 0};
    poll(&p, 1, 1);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> XSession::FindWindow(const std::string& title, std::chrono::milliseconds timeout) {
  const std::uint32_t nameAtom = Atom("_NET_WM_NAME");
  const std::uint32_t utf8 = Atom("UTF8_STRING");
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, screen->root), nullptr), &std::free);
    if (tree) {
      const xcb_window_t* children = xcb_query_tree_children(tree.get());
      for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        auto cookie = xcb_get_property(connection_, 0, children[i], nameAtom, utf8, 0, 1024);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> name(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (!name) continue;
        const std::string value(static_cast<const char*>(xcb_get_property_value(name.get())),
                                static_cast<std::size_t>(xcb_get_property_value_length(name.get())));
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, children[i]),
                                            nullptr),
            &std::free);
        if (value == title && attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) return children[i];
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}

void XSession::CloseWindow(std::uint32_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom("WM_PROTOCOLS");
  message.data.data32[0] = Atom("WM_DELETE_WINDOW");
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  xcb_flush(connection_);
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds timeout, rusage* usage) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  rusage ignored;
  for (;;) {
    int status = 0;
    const pid_t done = wait4(pid, &status, WNOHANG, usage ? usage : &ignored);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (done < 0) return std::nullopt;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}
