#include "app/help_text.h"

#include "runtime/window/message_box.h"
#include "workflow/service_hosts.h"

Text HelpText() {
  return ConcatText({"下载ID：\r\n  假如kavoro网盘页面的地址是", "http://", ServiceHost,
                     "/file/aeea4f9608859d09.html", "\r\n那么下载ID就为 aeea4f9608859d09"});
}

void ShowDownloadIdHelp(int, int, int) { ShowMessageBox(HelpText(), 0); }
