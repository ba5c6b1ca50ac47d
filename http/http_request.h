#pragma once
// The one routine that talks to the network: a whole HTTP exchange, with the
// caller's cookies carried by hand.

#include <optional>

#include "http/optional_ref.h"
#include "runtime/text/text.h"

// The agent when the caller's headers name none.
inline constexpr char DefaultUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; M8Q4K; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

// Requests url (GET, or POST when method is 1; a body goes whenever method is
// not 0: postBytes, or the bytes of postText when postBytes is empty) and
// returns the answer's body.
//
// extraHeaders gets the default Referer, Accept, Accept-Language and
// Content-Type lines where it lacks them, and a Cookie line with cookies when
// those are not empty; it is the header block sent. When cookies is
// supplied, even empty, the cookies that the answer sets are merged into it.
// newCookies receives those cookies, rawHeaders the answer's header block,
// location the value of its last line containing "Location:" (or, when
// location is still empty, the whole header block). noRedirect keeps the
// client from following redirects; proxy, when supplied, is "HOST:PORT" of a
// proxy for plain HTTP.
//
// When the client cannot even be set up for the request the result is empty
// and no variable is touched. A failed exchange is not reported: its body is
// whatever arrived, and a header block that never arrived reads as 5000
// blanks.
Bytes HttpRequest(const Text& url, int method = 0, const Text& postText = Text(),
                  OptionalRef<Text> cookies = {}, OptionalRef<Text> newCookies = {},
                  OptionalRef<Text> extraHeaders = {}, OptionalRef<Text> location = {}, int noRedirect = 0,
                  OptionalRef<Bytes> postBytes = {}, const std::optional<Text>& proxy = std::nullopt,
                  OptionalRef<Text> rawHeaders = {});
