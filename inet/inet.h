#pragma once
// The HTTP client that the request routine drives. A root handle holds the
// agent and the proxy settings, a connection handle the server, a request
// handle one exchange: send it, read its body, query its raw headers, close
// it. Handles are opaque and checked on every call; a call on a handle that
// is null, closed or of the wrong kind fails. Every failure keeps a text
// saying why, for diagnostics only.
//
// The client follows redirects itself, keeps no cookies, and adds to the
// caller's header block only the Host line, the agent as User-Agent (unless
// the block has one) and, with a body, Content-Length. Requests on several
// threads at once are safe; one handle is meant for one thread at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

struct InetObjectTag;
using InetHandle = InetObjectTag*;

inline constexpr int INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr int INTERNET_OPEN_TYPE_PROXY = 3;

inline constexpr std::uint32_t INTERNET_FLAG_RELOAD = 0x80000000;
inline constexpr std::uint32_t INTERNET_FLAG_NEED_FILE = 0x10;
inline constexpr std::uint32_t INTERNET_FLAG_NO_COOKIES = 0x80000;
inline constexpr std::uint32_t INTERNET_FLAG_NO_AUTO_REDIRECT = 0x200000;
inline constexpr std::uint32_t INTERNET_FLAG_SECURE = 0x800000;
inline constexpr std::uint32_t INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x4000;

// A root handle. With INTERNET_OPEN_TYPE_PROXY, proxyList names proxies per
// scheme, entries separated by spaces or ";": "http=HOST:PORT" for plain
// HTTP, "https=HOST:PORT" for TLS (tunnelled), a bare "HOST:PORT" for both;
// the port defaults to 80 and an entry without a host is ignored. A
// malformed entry fails the call. An empty agent sends no User-Agent; an
// agent is cut at its first line break.
InetHandle InetOpen(const char* agent, int accessType, const char* proxyList);

// A connection handle: nothing is contacted yet. Port 0 means the scheme's
// default (80, or 443 for a request with INTERNET_FLAG_SECURE). Fails on an
// empty host or a port outside 0..65535.
InetHandle InetConnect(InetHandle root, const char* host, int port);

// A request handle for verb and objectName (path and query; bytes that may
// not stand in a request line are percent-encoded, every other byte goes as
// given). version is "HTTP/1.1" or "HTTP/1.0"; null means "HTTP/1.1".
// INTERNET_FLAG_SECURE asks for TLS; INTERNET_FLAG_NO_AUTO_REDIRECT hands
// back a redirect answer as it is. Other flags are accepted and need nothing
// from this client: it has no cache and no cookie store.
InetHandle InetOpenRequest(InetHandle connection, const char* verb, const char* objectName,
                           const char* version, std::uint32_t flags);

// Sends the request and waits for the header block of the final answer.
// headers: lines separated by CR LF, sent in their order (empty lines and
// lines without a colon are dropped). A body goes with Content-Length when
// bodyLength is not 0, and always for POST. Once per request handle; false
// when the exchange failed before an answer's headers arrived.
bool InetSendRequest(InetHandle request, const char* headers, std::size_t headersLength,
                     const void* body, std::size_t bodyLength);

// Copies up to toRead bytes of the body into buffer; *bytesRead is 0 at the
// end of the body and on every failure. An exchange that breaks off ends
// the body where it broke, with false.
bool InetReadFile(InetHandle request, void* buffer, std::size_t toRead, std::size_t* bytesRead);

// The final answer's status line and header lines, each ended by CR LF, then
// an empty line, written NUL-terminated into buffer. *length holds the
// buffer's size on entry; on success it becomes the count written without
// the NUL. When the block does not fit, nothing is written, *length becomes
// the size needed and the call fails. Fails too when no complete header
// block arrived.
bool InetQueryRawHeaders(InetHandle request, char* buffer, std::size_t* length);

// Closes a handle of any kind; a request handle's exchange ends with it.
bool InetCloseHandle(InetHandle handle);

// Why the calling thread's last failed call failed.
std::string InetLastError();
// The last failure recorded on a handle; empty for a null or closed handle.
std::string InetHandleError(InetHandle handle);

// An exchange fails when it cannot connect within `connect`, or when it
// receives nothing for `idle` once connected; what was read until then is
// the body. The limits apply to requests sent after the change.
struct InetTimeouts {
  std::chrono::milliseconds connect{60000};
  std::chrono::milliseconds idle{30000};
};
void InetSetTimeouts(const InetTimeouts& timeouts);
InetTimeouts InetGetTimeouts();
