#include "workflow/address_resolution.h"

#include "app/main_window_controls.h"
#include "http/http_request.h"
#include "http/text_between.h"
#include "runtime/window/control_services.h"
#include "runtime/window/message_box.h"
#include "workflow/captcha_refresh.h"
#include "workflow/cookie_jar.h"
#include "workflow/service_hosts.h"

void ResolveDownloadAddress() {
  const Text downloadId = TrimBothEnds(ReadControlText(编辑框3));
  if (CompareText(downloadId, "") == 0) {
    ShowMessageBox("请输入下载ID", 0);
    return;
  }
  const Text captchaCode = TrimBothEnds(ReadControlText(编辑框1));
  if (CompareText(captchaCode, "") == 0) {
    ShowMessageBox("请输入验证码", 0);
    return;
  }

  Text downloadPage;
  {
    // Both requests under one hold of the jar: the verification goes with the
    // cookies of the captcha the user read, and no refresh renews the jar
    // before the download page is fetched with what the verification left.
    std::unique_lock jar = LockJarAfterStartedRefreshes();
    const Text verificationAnswer =
        BytesToText(HttpRequest(ConcatText("http://", ServiceHost, "/downcode.php"), 1,
                                ConcatText("action=yz&id=", downloadId, "&code=", captchaCode), cookieJar));
    if (CompareText(verificationAnswer, "1") != 0) {
      jar.unlock();
      ShowMessageBox("验证码过期或错误", 0);
      WriteControlText(编辑框1, Text());
      RefreshCaptcha();
      return;
    }
    downloadPage = BytesToText(HttpRequest(ConcatText("http://", ServiceHost, "/dd.php?file_key=", downloadId, "&p=0"),
                                           0, Text(), cookieJar));
  }

  const Text downloadAddress = TextBetween(downloadPage, "<a id=\"downs\" href=\"", "\">");
  if (CompareText(downloadAddress, "") != 0) {
    WriteControlText(编辑框2, downloadAddress);
  } else {
    ShowMessageBox(ConcatText("出现错误，错误原因为：\r\n", downloadPage), 0);
  }
  WriteControlText(编辑框3, Text());
  WriteControlText(编辑框1, Text());
}
