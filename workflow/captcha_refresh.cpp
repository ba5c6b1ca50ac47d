#include "workflow/captcha_refresh.h"

#include <condition_variable>

#include "app/main_window_controls.h"
#include "http/http_request.h"
#include "runtime/window/control_services.h"
#include "runtime/window/start_thread.h"
#include "workflow/cookie_jar.h"
#include "workflow/service_hosts.h"

namespace {

// Refresh threads started but not yet done. Only the window's thread starts
// them, so while it waits for the count to reach 0 the count cannot grow.
std::mutex startedMutex;
std::condition_variable startedDone;
int startedRefreshes = 0;

void CountStartedRefresh(int change) {
  {
    std::lock_guard lock(startedMutex);
    startedRefreshes += change;
  }
  if (change < 0) startedDone.notify_all();
}

}  // namespace

void RefreshCaptcha() {
  std::lock_guard jar(cookieJarMutex);
  cookieJar = Text();
  const Bytes picture = HttpRequest(ConcatText("http://", ServiceWwwHost, "/downcode.php"), 0, Text(), cookieJar,
                                    cookieJar);
  // Still under the lock: the box takes writes in the order they are made,
  // so the last picture written is the one whose cookies the jar holds. A
  // write from this thread is handed over without waiting for the window's
  // thread, which may itself be waiting for the jar.
  WriteControlPicture(图片框1, picture);
}

void OnCaptchaPictureClicked(int, int, int) { RefreshCaptcha(); }

void OnRefreshLabelClicked(int, int, int) { RefreshCaptcha(); }

void OnDownloadIdFocused() {
  CountStartedRefresh(+1);
  if (!StartThread(CaptchaRefreshThread)) CountStartedRefresh(-1);
}

void CaptchaRefreshThread() {
  RefreshCaptcha();
  CountStartedRefresh(-1);
}

std::unique_lock<std::mutex> LockJarAfterStartedRefreshes() {
  {
    std::unique_lock lock(startedMutex);
    startedDone.wait(lock, [] { return startedRefreshes == 0; });
  }
  return std::unique_lock(cookieJarMutex);
}
