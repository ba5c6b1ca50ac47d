#include "http/request_agent.h"

#include "http/http_request.h"
#include "http/text_after_colon.h"
#include "http/text_between.h"

Text RequestAgent(const Text& extraHeaders) {
  if (FindText(extraHeaders, "User-Agent:", 0, true) == -1) return DefaultUserAgent;
  Text agent = TrimBothEnds(TextBetween(extraHeaders, "User-Agent:", "\r\n"));
  return TextLength(agent) != 0 ? agent : TextAfterColon(extraHeaders);
}
