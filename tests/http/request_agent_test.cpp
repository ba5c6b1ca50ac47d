#include "http/request_agent.h"

#include <gtest/gtest.h>

#include <string>

#include "http/http_request.h"

namespace {

TEST(RequestAgentTest, TakesTheAgentFromTheExtraHeaders) {
  struct Case {
    std::string extraHeaders;
    std::string agent;
  };
  const Case cases[] = {
      {"", DefaultUserAgent},
      {"Accept: a\r\nReferer: r", DefaultUserAgent},
      // Without a CR LF after the value, the text after the first colon.
      {"User-Agent: Foo/1.0", "Foo/1.0"},
      {"user-agent: Foo/1.0", "Foo/1.0"},
      {"User-Agent: Foo/1.0\r\nAccept: a", "Foo/1.0"},
      {"Accept: a\r\nUser-Agent:  Foo/1.0 \r\n", "Foo/1.0"},
      // The case-sensitive extraction misses, so the first colon decides.
      {"Accept: a\r\nuser-agent: Foo/1.0\r\n", "a\r\nuser-agent: Foo/1.0\r\n"},
      {"User-Agent:\r\nAccept: a", "\r\nAccept: a"},
      {"User-Agent: \xd6\xd0\xce\xc4\r\n", "\xd6\xd0\xce\xc4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.extraHeaders));
    EXPECT_EQ(RequestAgent(c.extraHeaders).Str(), c.agent);
  }
}

}  // namespace
