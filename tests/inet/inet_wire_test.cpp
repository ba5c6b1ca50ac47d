// What the client puts on the wire: the request line, Host, User-Agent, the
// caller's header lines in their order, Content-Length with a body, and
// nothing else.

#include <gtest/gtest.h>

#include <string>

#include "tests/inet/fetch.h"
#include "tests/support/raw_http_server.h"

namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
const std::string kFormHeaders =
    "Referer: http://kavoro.test/downcode.php\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct WireCase {
  const char* name;
  FetchRequest request;
  std::string head;  // "{host}" stands for the server's host and port
  std::string body;
};

TEST(InetWireTest, SendsExactlyTheRequestItIsGiven) {
  FetchRequest get;
  get.objectName = "/dd.php?file_key=aeea4f9608859d09&p=0";
  get.headers = kFormHeaders;

  FetchRequest post = get;
  post.verb = "POST";
  post.objectName = "/downcode.php";
  post.body = "action=yz&id=aeea4f9608859d09&code=ab12";

  FetchRequest emptyPost = post;
  emptyPost.body = "";

  FetchRequest getWithBody = get;
  getWithBody.body = "a=1";

  FetchRequest ownAgent = get;
  ownAgent.headers = "User-Agent: Own/2.0\r\n" + kFormHeaders;

  FetchRequest lowerCaseAgent = get;
  lowerCaseAgent.headers = "user-agent: Own/2.0";

  FetchRequest noAgent = get;
  noAgent.agent = "";
  noAgent.headers = "X-A: 1";

  FetchRequest untidy = get;
  untidy.headers = "X-A: 1\r\n\r\nno colon here\r\nX-Empty:\r\n: no name\r\nX-B:  2 \r\n";

  FetchRequest emptyBlock = get;
  emptyBlock.headers = "";

  FetchRequest ownHost = get;
  ownHost.headers = "Host: kavoro.test";

  FetchRequest http10 = get;
  http10.version = "HTTP/1.0";
  http10.headers = "X-A: 1";

  FetchRequest odd = get;
  odd.objectName = "/a b\t\x7f/\xd6\xd0?q=%41&r=\"<>{}|\\^`'#frag";
  odd.headers = "X-A: 1";

  FetchRequest noSlash = get;
  noSlash.objectName = "x?y=1";
  noSlash.headers = "X-A: 1";

  FetchRequest bigPost = post;
  bigPost.body = std::string(2 * 1024 * 1024, 'b');

  const std::string form =
      "Referer: http://kavoro.test/downcode.php\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
      "Content-Type: application/x-www-form-urlencoded\r\n";
  const WireCase cases[] = {
      {"GET with the form headers", get,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n" +
           form + "\r\n",
       ""},
      {"POST with a body", post,
       "POST /downcode.php HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n" + form +
           "Content-Length: 39\r\n\r\n",
       "action=yz&id=aeea4f9608859d09&code=ab12"},
      {"POST with an empty body", emptyPost,
       "POST /downcode.php HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n" + form +
           "Content-Length: 0\r\n\r\n",
       ""},
      {"GET with a body", getWithBody,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n" +
           form + "Content-Length: 3\r\n\r\n",
       "a=1"},
      {"the block's own User-Agent", ownAgent,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: Own/2.0\r\n" + form +
           "\r\n",
       ""},
      {"a User-Agent line in lower case", lowerCaseAgent,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nuser-agent: Own/2.0\r\n\r\n", ""},
      {"no agent at all", noAgent,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nX-A: 1\r\n\r\n", ""},
      {"empty lines, lines without a name or colon, empty values", untidy,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n"
       "X-A: 1\r\nX-Empty:\r\nX-B:  2 \r\n\r\n",
       ""},
      {"an empty block", emptyBlock,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n\r\n",
       ""},
      {"the block's own Host", ownHost,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.1\r\nHost: kavoro.test\r\nUser-Agent: TestAgent/1.0\r\n\r\n",
       ""},
      {"HTTP/1.0", http10,
       "GET /dd.php?file_key=aeea4f9608859d09&p=0 HTTP/1.0\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n"
       "X-A: 1\r\n\r\n",
       ""},
      {"bytes that may not stand in a request line", odd,
       "GET /a%20b%09%7F/%D6%D0?q=%41&r=\"<>{}|\\^`'#frag HTTP/1.1\r\nHost: {host}\r\n"
       "User-Agent: TestAgent/1.0\r\nX-A: 1\r\n\r\n",
       ""},
      {"an object name without a slash", noSlash,
       "GET /x?y=1 HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\nX-A: 1\r\n\r\n", ""},
      {"a body over a megabyte, without Expect", bigPost,
       "POST /downcode.php HTTP/1.1\r\nHost: {host}\r\nUser-Agent: TestAgent/1.0\r\n" + form +
           "Content-Length: 2097152\r\n\r\n",
       bigPost.body},
  };
  for (const WireCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer server(RawHttpServer::Answer(kOk));
    FetchRequest request = c.request;
    request.port = server.Port();
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(result.body, "ok");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].head, Replace(c.head, "{host}", "127.0.0.1:" + std::to_string(server.Port())));
    EXPECT_TRUE(requests[0].body == c.body) << "body of " << requests[0].body.size() << " bytes";
  }
}

TEST(InetWireTest, PlainHttpGoesThroughTheProxyOfTheList) {
  struct ProxyCase {
    const char* name;
    std::string list;  // "{proxy}" stands for the proxy's host and port
    int port;
    std::string requestLine;
    std::string host;
  };
  const ProxyCase cases[] = {
      {"http entry, default port", "http={proxy}", 80, "GET http://kavoro.test/a?b=1 HTTP/1.1", "kavoro.test"},
      {"http entry, other port", "http={proxy}", 8080, "GET http://kavoro.test:8080/a?b=1 HTTP/1.1",
       "kavoro.test:8080"},
      {"bare entry", "{proxy}", 80, "GET http://kavoro.test/a?b=1 HTTP/1.1", "kavoro.test"},
      {"among other entries", "ftp=10.0.0.1:21; http=http://{proxy} https=", 80,
       "GET http://kavoro.test/a?b=1 HTTP/1.1", "kavoro.test"},
  };
  for (const ProxyCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawHttpServer proxy(RawHttpServer::Answer(kOk));
    FetchRequest request;
    request.accessType = INTERNET_OPEN_TYPE_PROXY;
    request.proxyList = Replace(c.list, "{proxy}", "127.0.0.1:" + std::to_string(proxy.Port()));
    request.host = "kavoro.test";
    request.port = c.port;
    request.objectName = "/a?b=1";
    request.headers = "X-A: 1";
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(result.body, "ok");
    auto requests = proxy.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].head, c.requestLine + "\r\nHost: " + c.host +
                                    "\r\nUser-Agent: TestAgent/1.0\r\nX-A: 1\r\n\r\n");
  }
}

TEST(InetWireTest, AnEmptyProxyEntryMeansADirectConnection) {
  for (const char* list : {"http=", "http= ", "", "https=127.0.0.1:1"}) {
    SCOPED_TRACE(list);
    RawHttpServer server(RawHttpServer::Answer(kOk));
    FetchRequest request;
    request.accessType = INTERNET_OPEN_TYPE_PROXY;
    request.proxyList = list;
    request.port = server.Port();
    request.objectName = "/x";
    FetchResult result = Fetch(request);
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(result.body, "ok");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].RequestLine(), "GET /x HTTP/1.1");
  }
}

}  // namespace
