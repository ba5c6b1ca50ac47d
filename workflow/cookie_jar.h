#pragma once
// The one cookie text of the process: the service's cookies, carried from the
// captcha answer to the verification and download-page requests.

#include "runtime/text/text.h"

extern Text cookieJar;

// The exit routine: releases the jar's text and leaves the jar empty.
void ReleaseCookieJar();
