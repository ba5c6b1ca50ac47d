#include "http/http_request.h"

#include <cstdint>
#include <string>

#include "http/merge_cookies.h"
#include "http/request_agent.h"
#include "http/text_after_colon.h"
#include "http/text_between.h"
#include "http/url_decomposition.h"
#include "inet/inet.h"

namespace {

constexpr int kReadSize = 1024;
constexpr int kRawHeaderSize = 5000;

std::uint32_t RequestFlags(const Text& url, bool cookiesSupplied, int noRedirect) {
  std::uint32_t flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
  if (cookiesSupplied) flags |= INTERNET_FLAG_NO_COOKIES;
  if (noRedirect != 0) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  flags |= CompareText(ToLowerCase(TextLeft(url, 5)), "https") == 0 ? INTERNET_FLAG_SECURE
                                                                     : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  return flags;
}

// Each test looks at the block as the appends before it left it; a CR LF
// that the caller's block already ends with stays.
void CompleteHeaders(Text& headers, const Text& url, const Text& cookies) {
  if (FindText(headers, "Referer:") == -1) {
    headers = TextLength(headers) == 0 ? ConcatText("Referer: ", url) : ConcatText(headers, "\r\nReferer: ", url);
  }
  if (FindText(headers, "Accept:") == -1) headers = ConcatText(headers, "\r\nAccept: */*");
  if (FindText(headers, "Accept-Language:") == -1) headers = ConcatText(headers, "\r\nAccept-Language: zh-cn");
  if (FindText(headers, "Content-Type:") == -1) {
    headers = ConcatText(headers, "\r\nContent-Type: application/x-www-form-urlencoded");
  }
  if (TextLength(cookies) != 0) headers = ConcatText(headers, "\r\nCookie: ", cookies);
}

Bytes ReadBody(InetHandle request) {
  Bytes body;
  Bytes buffer = BlankBytes(kReadSize);
  for (;;) {
    std::size_t count = 0;
    InetReadFile(request, buffer.data(), kReadSize, &count);
    if (count == 0) return body;
    AppendBytes(body, buffer.data(), count);
  }
}

// The header block as the client writes it into a buffer of blanks: when it
// writes nothing, the blanks are the text.
Text RawHeadersOf(InetHandle request) {
  std::string buffer = BlankText(kRawHeaderSize).Str();
  std::size_t length = buffer.size();
  InetQueryRawHeaders(request, buffer.data(), &length);
  return Text(buffer.c_str());
}

void ScanHeaders(const Text& rawHeaders, Text& newCookies, Text& location) {
  TextArray lines = SplitText(rawHeaders, "\r\n");
  newCookies = Text();
  for (const Text& line : lines) {
    if (FindText(line, "Location:") != -1) location = TextAfterColon(line);
    if (FindText(line, "Set-Cookie") != -1) {
      AppendText(newCookies, TrimBothEnds(TextBetween(line, "Set-Cookie:", ";")).View());
      AppendText(newCookies, "; ");
    }
  }
  newCookies = TextLeft(newCookies, TextLength(newCookies) - 2);
}

}  // namespace

Bytes HttpRequest(const Text& url, int method, const Text& postText, OptionalRef<Text> cookies,
                  OptionalRef<Text> newCookies, OptionalRef<Text> extraHeaders, OptionalRef<Text> location,
                  int noRedirect, OptionalRef<Bytes> postBytes, const std::optional<Text>& proxy,
                  OptionalRef<Text> rawHeaders) {
  Text cookiesScratch, newCookiesScratch, headersScratch, locationScratch, rawHeadersScratch;
  Bytes postBytesScratch;
  Text& cookieText = cookies.Or(cookiesScratch);
  Text& newCookieText = newCookies.Or(newCookiesScratch);
  Text& headers = extraHeaders.Or(headersScratch);
  Text& locationText = location.Or(locationScratch);
  Text& rawHeaderText = rawHeaders.Or(rawHeadersScratch);
  Bytes& body = postBytes.Or(postBytesScratch);

  const Text verb = method == 1 ? "POST" : "GET";
  const Text agent = RequestAgent(headers);

  InetHandle root = proxy ? InetOpen(agent.CStr(), INTERNET_OPEN_TYPE_PROXY, ConcatText("http=", *proxy).CStr())
                          : InetOpen(agent.CStr(), INTERNET_OPEN_TYPE_DIRECT, nullptr);
  if (!root) return Bytes();
  InetHandle connection = InetConnect(root, UrlHost(url).CStr(), UrlPort(url));
  if (!connection) {
    InetCloseHandle(root);
    return Bytes();
  }
  std::uint32_t flags = RequestFlags(url, cookies.Supplied(), noRedirect);
  InetHandle request = InetOpenRequest(connection, verb.CStr(), UrlPath(url).CStr(), "HTTP/1.1", flags);
  if (!request) {
    InetCloseHandle(connection);
    InetCloseHandle(root);
    return Bytes();
  }

  CompleteHeaders(headers, url, cookieText);
  if (method == 0) {
    InetSendRequest(request, headers.CStr(), TextLength(headers), "", 0);
  } else {
    if (BytesLength(body) == 0) body = TextToBytes(postText);
    InetSendRequest(request, headers.CStr(), TextLength(headers), body.empty() ? nullptr : body.data(),
                    body.size());
  }
  Bytes answer = ReadBody(request);
  rawHeaderText = RawHeadersOf(request);
  InetCloseHandle(request);
  InetCloseHandle(connection);
  InetCloseHandle(root);

  ScanHeaders(rawHeaderText, newCookieText, locationText);
  if (cookies.Supplied()) MergeCookies(cookieText, newCookieText);
  if (CompareText(locationText, Text()) == 0) locationText = rawHeaderText;
  return answer;
}
