#include "inet/proxy_list.h"

#include <gtest/gtest.h>

namespace {

TEST(ProxyListTest, ReadsEntriesPerScheme) {
  struct Case {
    const char* list;
    bool ok;
    const char* http;
    const char* https;
  };
  const Case cases[] = {
      {"", true, "", ""},
      {"http=", true, "", ""},
      {"http=proxy.test:3128", true, "proxy.test:3128", ""},
      {"http=proxy.test", true, "proxy.test:80", ""},
      {"http=http://proxy.test:81/", true, "proxy.test:81", ""},
      {"proxy.test:8080", true, "proxy.test:8080", "proxy.test:8080"},
      {"https=s.test:443;http=h.test:80", true, "h.test:80", "s.test:443"},
      {"  http=a.test:1   http=b.test:2 ", true, "b.test:2", ""},
      {"ftp=f.test:21 socks=s.test:1080", true, "", ""},
      {"http=[::1]:8080", true, "[::1]:8080", ""},
      {"http=a.test:", false, "", ""},
      {"http=a.test:99999", false, "", ""},
      {"http=a.test:-1", false, "", ""},
      {"http=a?b:1", false, "", ""},
      {"http=\xd6\xd0:1", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ProxyList proxies;
    std::string error;
    EXPECT_EQ(ParseProxyList(c.list, proxies, error), c.ok);
    EXPECT_EQ(error.empty(), c.ok);
    if (c.ok) {
      EXPECT_EQ(proxies.http, c.http);
      EXPECT_EQ(proxies.https, c.https);
    }
  }
}

}  // namespace
