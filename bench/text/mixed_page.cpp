#include "bench/text/mixed_page.h"

#include <array>
#include <random>

std::string MakeMixedPage(std::size_t size, std::string_view tail, std::size_t tailOffset) {
  static const std::array<std::string_view, 8> pieces = {
      "<p>下载地址与文件信息</p>", "<div class=\"file\">", "kavoro 网盘文件 ", "size=12.5MB; ",
      "上传时间 2026-12-11 ",     "<span>验证码</span>",  "http://example.com/file/aeea4f96 ",
      "</div>",
  };
  std::mt19937 random(7);
  std::string page;
  page.reserve(size + tail.size() + 64);
  int onLine = 0;
  while (page.size() + tailOffset < size) {
    page.append(pieces[random() % pieces.size()]);
    if (++onLine == 6) {
      page.append("\r\n");
      onLine = 0;
    }
  }
  page.append(tail);
  while (page.size() < size) page.append("中");
  return page;
}
