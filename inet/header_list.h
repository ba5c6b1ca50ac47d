#pragma once

#include <curl/curl.h>

#include <string_view>

// The curl header list for a caller's header block (lines separated by
// CR LF): its lines in their order, then entries that keep curl from adding
// Accept, Expect and Content-Type lines of its own. Empty lines and lines
// without a colon are dropped. The caller frees the list with
// curl_slist_free_all; null when memory ran out.
curl_slist* HeaderList(std::string_view block);
