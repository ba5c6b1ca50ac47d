// kavoro-request: one call, the body on stdout, the outputs on stderr.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/raw_http_server.h"

extern char** environ;

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

ToolRun RunTool(std::vector<std::string> args) {
  const std::string dir = testing::TempDir();
  const std::string outPath = dir + "kavoro_request_out";
  const std::string errPath = dir + "kavoro_request_err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  args.insert(args.begin(), KAVORO_REQUEST_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  ToolRun run;
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

TEST(KavoroRequestTest, WritesTheBodyAndTheOutputs) {
  const std::string answer = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nContent-Length: 7\r\n\r\nx\\y\r\nz\0";
  RawHttpServer server(RawHttpServer::Answer(std::string(answer.data(), answer.size() + 1)));
  const std::string url = server.Url("/p");
  ToolRun run = RunTool({"--cookies", "", "--headers", "X-A: 1\\r\\nX-B: 2", url});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("x\\y\r\nz\0", 7));
  const std::string raw = "HTTP/1.1 200 OK\\r\\nSet-Cookie: a=1; path=/\\r\\nContent-Length: 7\\r\\n\\r\\n";
  EXPECT_EQ(run.err, "rawHeaders: " + raw + "\nnewCookies: a=1\nlocation: " + raw +
                         "\ncookies: a=1\nextraHeaders: X-A: 1\\r\\nX-B: 2\\r\\nReferer: " + url +
                         "\\r\\nAccept: */*\\r\\nAccept-Language: zh-cn\\r\\n"
                         "Content-Type: application/x-www-form-urlencoded\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].HeaderLines()[2], "X-A: 1");
}

TEST(KavoroRequestTest, PostsWithoutFollowingTheRedirect) {
  RawHttpServer server(RawHttpServer::Answer("HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 0\r\n\r\n"));
  ToolRun run = RunTool({"--post", "a=1&b=\\2", "--no-redirect", "--headers", "Referer: r", server.Url("/form")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "rawHeaders: HTTP/1.1 302 Found\\r\\nLocation: /next\\r\\nContent-Length: 0\\r\\n\\r\\n\n"
            "newCookies: \nlocation: /next\nextraHeaders: Referer: r\\r\\nAccept: */*\\r\\n"
            "Accept-Language: zh-cn\\r\\nContent-Type: application/x-www-form-urlencoded\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].RequestLine(), "POST /form HTTP/1.1");
  EXPECT_EQ(server.Requests()[0].body, "a=1&b=\\2");
}

TEST(KavoroRequestTest, GoesThroughTheProxy) {
  RawHttpServer proxy(RawHttpServer::Answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
  ToolRun run = RunTool({"--proxy", "127.0.0.1:" + std::to_string(proxy.Port()), "http://kavoro.test/a"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "ok");
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].RequestLine(), "GET http://kavoro.test/a HTTP/1.1");
}

TEST(KavoroRequestTest, AFailedExchangeStillEndsWithStatusZero) {
  int deadPort = RawHttpServer(RawHttpServer::Answer("")).Port();
  ToolRun run = RunTool({"http://127.0.0.1:" + std::to_string(deadPort) + "/"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const std::string blanks(5000, ' ');
  EXPECT_EQ(run.err.substr(0, run.err.find("\nextraHeaders: ")),
            "rawHeaders: " + blanks + "\nnewCookies: \nlocation: " + blanks);
}

TEST(KavoroRequestTest, RejectsABadCommandLine) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"--post"}, {"--bogus", "http://x/"}, {"http://x/", "http://y/"}}) {
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: kavoro-request"), std::string::npos);
  }
}

}  // namespace
