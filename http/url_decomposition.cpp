#include "http/url_decomposition.h"

#include "http/text_between.h"

namespace {

Text HostByMarkers(Text v, int domainOnly) {
  if (CompareText(TextRight(v, 1), "/") != 0) {
    v = ConcatText(v, "/");
  }
  Text host;
  if (CompareText(TextLeft(v, 8), "https://") == 0) {
    host = TextBetween(v, "https://", "/");
  } else {
    // Wherever "http://" stands, the host follows its first occurrence.
    if (FindText(v, "http://") == -1) {
      v = ConcatText("http://", v);
    }
    host = TextBetween(v, "http://", "/");
  }
  if (domainOnly != 0) {
    const TextArray labels = SplitText(host, ".");
    const int count = ArraySize(labels);
    if (count > 1) {
      host = ConcatText(labels[count - 1], ".", labels[count]);
    }
  }
  return host;
}

// The position of the last "." that lies wholly before position, or -1;
// -1 stays -1.
int LastDotBefore(const Text& v, int position) {
  return position == -1 ? -1 : FindTextReverse(v, ".", position);
}

Text HostByLabelCount(Text v, int domainOnly, int extraLabels) {
  v = ReplaceSubtext(v, "http://", "", std::nullopt, std::nullopt, true);
  v = ReplaceSubtext(v, "https://", "", std::nullopt, std::nullopt, true);
  const int slash = FindText(v, "/");
  if (slash != -1) {
    v = TextLeft(v, slash - 1);
  }
  // Starting the search at the length leaves a dot in the last position
  // uncounted.
  const int length = TextLength(v);
  int p = length;
  for (int i = 0; i < extraLabels; ++i) {
    p = LastDotBefore(v, p);
  }
  const int c = LastDotBefore(v, p);
  if (domainOnly != 0) {
    return TextRight(v, length - c);
  }
  if (c != -1) {
    const int d = LastDotBefore(v, c);
    if (d != -1) {
      return TextRight(v, length - d);
    }
  }
  return v;
}

}  // namespace

Text UrlHost(const Text& url, int domainOnly, int keepPort, std::optional<int> extraLabels) {
  const Text v = ToLowerCase(url);
  const Text host =
      extraLabels ? HostByLabelCount(v, domainOnly, *extraLabels) : HostByMarkers(v, domainOnly);
  if (keepPort != 0) {
    return host;
  }
  const int colon = FindText(host, ":");
  return colon == -1 ? host : TextLeft(host, colon - 1);
}

int UrlPort(const Text& url) {
  const Text host = UrlHost(url, 0, 1);
  const int colon = FindTextReverse(host, ":");
  if (colon == -1) {
    return CompareText(TextLeft(ToLowerCase(url), 5), "https") == 0 ? 443 : 80;
  }
  return ToInteger(TextRight(host, TextLength(host) - colon));
}

Text UrlPath(const Text& url) {
  // The host comes back lower-cased while the URL may not be, hence the
  // searches that ignore case; the path itself keeps the URL's case.
  const int hostAt = FindText(url, UrlHost(url), 1, true);
  const int slash = FindText(url, "/", hostAt, true);
  if (slash <= 0) {
    return "/";
  }
  return TextRight(url, TextLength(url) - slash + 1);
}
