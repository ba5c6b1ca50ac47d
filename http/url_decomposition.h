#pragma once
// Taking a URL apart for a request: the host to connect to, its port and the
// object name to ask for. These find fixed markers rather than parse a URL
// grammar; a text that is no URL at all reads as a host with an optional
// path.

#include <optional>

#include "runtime/text/text.h"

// The lower-cased host. Without extraLabels, the host follows the first
// "https://" at the start, else the first "http://" anywhere (one is assumed
// in front when there is none) and ends at the next "/"; domainOnly then
// keeps its last two labels. With extraLabels (even 0), the host is what
// precedes the first "/" once every scheme marker is removed, shortened to
// its last extraLabels + 2 labels (+ 1 with domainOnly). Unless keepPort,
// the host is cut at its first ":".
Text UrlHost(const Text& url, int domainOnly = 0, int keepPort = 0,
             std::optional<int> extraLabels = std::nullopt);

// The number after the host's last ":", or the scheme's default: 443 when
// the URL begins with "https", else 80.
int UrlPort(const Text& url);

// The URL from the first "/" after the host to the end, query included and
// letter case kept; "/" when there is none.
Text UrlPath(const Text& url);
