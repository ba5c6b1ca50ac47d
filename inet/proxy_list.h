#pragma once

#include <string>
#include <string_view>

// The proxies a root handle uses: "host:port", or empty for a direct
// connection.
struct ProxyList {
  std::string http;
  std::string https;
};

// Reads a list of entries separated by spaces or ";": "http=HOST[:PORT]",
// "https=HOST[:PORT]", or a bare "HOST[:PORT]" for both schemes; a later
// entry for a scheme replaces an earlier one; entries for other schemes are
// ignored. An optional "http://" before the host is skipped, the port
// defaults to 80, and an entry without a host is ignored. False, with the
// reason in error, for a bad host or port.
bool ParseProxyList(std::string_view list, ProxyList& proxies, std::string& error);
