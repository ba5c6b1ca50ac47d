#include "http/url_decomposition.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct UrlCase {
  std::string url;
  std::string host;
  int port;
  std::string path;
};

TEST(UrlDecompositionTest, HostPortAndPathOfAUrl) {
  const UrlCase cases[] = {
      {"http://shop.example.com/a/b?c=d", "shop.example.com", 80, "/a/b?c=d"},
      {"HTTPS://SHOP.Example.COM:81", "shop.example.com", 81, "/"},
      {"https://example.com/x", "example.com", 443, "/x"},
      {"https://example.com", "example.com", 443, "/"},
      {"example.com/x", "example.com", 80, "/x"},
      {"example.com", "example.com", 80, "/"},
      {"http://EXAMPLE.com/Path", "example.com", 80, "/Path"},
      {"HTTP://Example.COM:8080/Q?A=B", "example.com", 8080, "/Q?A=B"},
      {"http://127.0.0.1:18080/downcode.php", "127.0.0.1", 18080, "/downcode.php"},
      {"http://kavoro.com/dd.php?file_key=aeea4f9608859d09&p=0", "kavoro.com", 80,
       "/dd.php?file_key=aeea4f9608859d09&p=0"},
      // The host is cut only at "/" and at ":".
      {"http://example.com?x=1", "example.com?x=1", 80, "/"},
      // Without a scheme in front, the host follows an "http://" further on.
      {"example.com/?u=http://other.example/", "other.example", 80, "/"},
      // An empty port reads as 0.
      {"http://example.com:/", "example.com", 0, "/"},
      {"http://example.com:80abc/", "example.com", 80, "/"},
      {"", "", 80, "/"},
      // Letters in the second byte of a two-byte character keep their case,
      // and a "/" there does not end the host.
      {"http://\xB0" "A.Example/P", "\xB0" "A.example", 80, "/P"},
      {"http://a\xB0/b/c", "a\xB0/b", 80, "/c"},
      {"http://example.com/下载/文件", "example.com", 80, "/下载/文件"},
  };
  for (const UrlCase& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.url));
    EXPECT_EQ(UrlHost(row.url).Str(), row.host);
    EXPECT_EQ(UrlPort(row.url), row.port);
    EXPECT_EQ(UrlPath(row.url).Str(), row.path);
  }
}

struct HostCase {
  std::string url;
  int domainOnly;
  int keepPort;
  std::optional<int> extraLabels;
  std::string expected;
};

TEST(UrlDecompositionTest, HostOptions) {
  const HostCase cases[] = {
      {"HTTPS://SHOP.Example.COM:81", 0, 1, std::nullopt, "shop.example.com:81"},
      {"http://example.com:/", 0, 1, std::nullopt, "example.com:"},
      // Marker method: domainOnly keeps the last two labels.
      {"http://a.b.example.com/", 1, 0, std::nullopt, "example.com"},
      {"http://localhost/", 1, 0, std::nullopt, "localhost"},
      {"http://a.b.example.com:8080/", 1, 0, std::nullopt, "example.com"},
      {"http://a.b.example.com:8080/", 1, 1, std::nullopt, "example.com:8080"},
      {"http://example.com./", 1, 0, std::nullopt, "example.com"},
      // Supplying extraLabels, even as 0, selects the label count.
      {"http://a.b.example.com/", 0, 0, std::nullopt, "a.b.example.com"},
      {"http://a.b.example.com/", 0, 0, 0, "example.com"},
      {"http://a.b.example.com:8080/x", 0, 0, 0, "example.com"},
      {"http://a.b.example.com:8080/x", 0, 0, 1, "b.example.com"},
      {"http://a.b.example.com:8080/x", 1, 0, 0, "com"},
      {"http://a.b.example.com:8080/x", 1, 0, 1, "example.com"},
      {"http://a.b.example.com:8080/x", 0, 1, 0, "example.com:8080"},
      {"http://a.b.example.com:8080/x", 0, 1, 1, "b.example.com:8080"},
      {"http://a.b.example.com:8080/x", 1, 1, 0, "com:8080"},
      {"http://a.b.example.com:8080/x", 1, 1, 1, "example.com:8080"},
      {"http://a.b.example.com:8080/x", 0, 0, 5, "a.b.example.com"},
      {"http://a.b.example.com:8080/x", 1, 0, 3, "a.b.example.com"},
      {"http://a.b.example.com:8080/x", 0, 0, -2, "example.com"},
      {"HTTPS://WWW.Example.com", 0, 0, 0, "example.com"},
      {"example.com", 0, 0, 0, "example.com"},
      {"localhost", 0, 0, 0, "localhost"},
      {"", 0, 0, 0, ""},
      // A dot in the last position is not counted.
      {"http://www.example.com./", 0, 0, 0, "example.com."},
      // Every scheme marker is removed, wherever it stands, and the host
      // ends at the first "/".
      {"example.com/?u=http://other.example/", 0, 0, 0, "example.com"},
      {"http://https://a.example.com", 0, 0, 0, "example.com"},
  };
  for (const HostCase& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.url) + " domainOnly " + std::to_string(row.domainOnly) +
                 " keepPort " + std::to_string(row.keepPort) + " extraLabels " +
                 (row.extraLabels ? std::to_string(*row.extraLabels) : "omitted"));
    EXPECT_EQ(UrlHost(row.url, row.domainOnly, row.keepPort, row.extraLabels).Str(), row.expected);
  }
}

}  // namespace
