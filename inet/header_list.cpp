#include "inet/header_list.h"

#include <string>

namespace {

bool Append(curl_slist*& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list, line.c_str());
  if (!grown) {
    curl_slist_free_all(list);
    list = nullptr;
    return false;
  }
  list = grown;
  return true;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

curl_slist* HeaderList(std::string_view block) {
  curl_slist* list = nullptr;
  while (!block.empty()) {
    std::size_t end = block.find('\n');
    std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    // curl reads "Name:" as "remove Name" and sends "Name;" as "Name:".
    std::string entry = IsBlank(line.substr(colon + 1)) ? std::string(line.substr(0, colon)) + ";"
                                                        : std::string(line);
    if (!Append(list, entry)) return nullptr;
  }
  // Entries without a value are never sent; they only stop curl's own.
  for (const char* own : {"Accept:", "Expect:", "Content-Type:"}) {
    if (!Append(list, own)) return nullptr;
  }
  return list;
}
