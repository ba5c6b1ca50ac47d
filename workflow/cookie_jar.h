#pragma once
// The one cookie text of the process: the service's cookies, carried from the
// captcha answer to the verification and download-page requests.

#include <mutex>

#include "runtime/text/text.h"

extern Text cookieJar;

// Held by every use that reads and replaces the jar: a captcha refresh from
// emptying the jar until its picture is handed to the box, and the address
// resolution from its verification to its download-page request. Never held
// while waiting for the window's thread.
extern std::mutex cookieJarMutex;

// The exit routine: releases the jar's text and leaves the jar empty, unless
// a refresh still holds the jar (a request to a silent server, say), which
// the end of the process then does not wait for.
void ReleaseCookieJar();
