#include "workflow/cookie_jar.h"

Text cookieJar;

void ReleaseCookieJar() { cookieJar = Text(); }
