#include "workflow/cookie_jar.h"

Text cookieJar;
std::mutex cookieJarMutex;

void ReleaseCookieJar() {
  std::unique_lock jar(cookieJarMutex, std::try_to_lock);
  if (jar.owns_lock()) cookieJar = Text();
}
