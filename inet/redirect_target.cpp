#include "inet/redirect_target.h"

#include <curl/curl.h>

#include <memory>

#include "inet/request_target.h"

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != prefix[i]) return false;
  }
  return true;
}

std::string_view LocationValue(std::string_view block) {
  while (!block.empty()) {
    std::size_t end = block.find("\r\n");
    std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view() : block.substr(end + 2);
    if (!StartsWithNoCase(line, "location:")) continue;
    line.remove_prefix(9);
    std::size_t first = line.find_first_not_of(" \t");
    std::size_t last = line.find_last_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : line.substr(first, last - first + 1);
  }
  return {};
}

}  // namespace

std::string RedirectTarget(std::string_view headerBlock, const std::string& baseUrl) {
  std::string_view location = LocationValue(headerBlock);
  if (location.empty()) return {};
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), &curl_url_cleanup);
  if (!url || curl_url_set(url.get(), CURLUPART_URL, baseUrl.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_URL, EncodeUnsafeBytes(location).c_str(), CURLU_NON_SUPPORT_SCHEME) !=
          CURLUE_OK) {
    return {};
  }
  char* scheme = nullptr;
  char* full = nullptr;
  std::string target;
  if (curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
      (std::string_view(scheme) == "http" || std::string_view(scheme) == "https") &&
      curl_url_get(url.get(), CURLUPART_URL, &full, 0) == CURLUE_OK) {
    target = full;
  }
  curl_free(scheme);
  curl_free(full);
  return target;
}
