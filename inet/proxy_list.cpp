#include "inet/proxy_list.h"

#include <charconv>

#include "inet/host_name.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == ';' || c == '\t'; }

// "HOST[:PORT]" as "host:port"; the empty text for an empty address.
bool ReadAddress(std::string_view address, std::string& out, std::string& error) {
  if (address.substr(0, 7) == "http://") address.remove_prefix(7);
  if (!address.empty() && address.back() == '/') address.remove_suffix(1);
  out.clear();
  if (address.empty()) return true;
  std::string_view host = address;
  int port = 80;
  std::size_t colon = address.rfind(':');
  if (colon != std::string_view::npos && address.back() != ']') {
    host = address.substr(0, colon);
    std::string_view digits = address.substr(colon + 1);
    auto [end, code] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (code != std::errc() || end != digits.data() + digits.size() || port < 1 || port > 65535) {
      error = "bad proxy port in \"" + std::string(address) + "\"";
      return false;
    }
  }
  if (!IsHostName(host)) {
    error = "bad proxy host in \"" + std::string(address) + "\"";
    return false;
  }
  out = std::string(host) + ":" + std::to_string(port);
  return true;
}

}  // namespace

bool ParseProxyList(std::string_view list, ProxyList& proxies, std::string& error) {
  proxies = {};
  std::size_t pos = 0;
  while (pos < list.size()) {
    if (IsSeparator(list[pos])) {
      ++pos;
      continue;
    }
    std::size_t end = pos;
    while (end < list.size() && !IsSeparator(list[end])) ++end;
    std::string_view entry = list.substr(pos, end - pos);
    pos = end;

    std::string_view scheme;
    std::size_t equals = entry.find('=');
    if (equals != std::string_view::npos) {
      scheme = entry.substr(0, equals);
      entry.remove_prefix(equals + 1);
    }
    std::string address;
    if (!ReadAddress(entry, address, error)) return false;
    if (address.empty()) continue;
    if (scheme.empty()) {
      proxies.http = address;
      proxies.https = address;
    } else if (scheme == "http") {
      proxies.http = address;
    } else if (scheme == "https") {
      proxies.https = address;
    }
  }
  return true;
}
