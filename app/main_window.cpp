#include "app/main_window.h"

#include "app/help_text.h"
#include "app/main_window_controls.h"
#include "workflow/address_resolution.h"
#include "workflow/captcha_refresh.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000;

// In control order, which the focus rule follows.
constexpr ControlForm kControls[] = {
    {.name = 标签4.name, .kind = ControlKind::Label, .left = 92, .top = 288, .width = 136, .height = 16,
     .text = "kavoro取下载地址 v1.0"},
    {.name = 标签3.name, .kind = ControlKind::Label, .left = 80, .top = 40, .width = 88, .height = 16,
     .text = "什么是下载ID？", .textColour = kRed, .fontPixelHeight = 12, .underline = true, .handCursor = true},
    {.name = 标签2.name, .kind = ControlKind::Label, .left = 8, .top = 16, .width = 40, .height = 16,
     .text = "下载ID"},
    {.name = 编辑框3.name, .kind = ControlKind::EditBox, .left = 51, .top = 10, .width = 155, .height = 25,
     .text = "", .tabStop = true},
    {.name = 编辑框2.name, .kind = ControlKind::EditBox, .left = 5, .top = 172, .width = 224, .height = 112,
     .text = "", .tabStop = true, .multiLine = true},
    {.name = 标签1.name, .kind = ControlKind::Label, .left = 20, .top = 99, .width = 68, .height = 19,
     .text = "刷新验证码", .fontPixelHeight = 12, .underline = true, .handCursor = true},
    {.name = 编辑框1.name, .kind = ControlKind::EditBox, .left = 117, .top = 63, .width = 86, .height = 32,
     .text = "", .tabStop = true, .fontPixelHeight = 19},
    {.name = 图片框1.name, .kind = ControlKind::PictureBox, .left = 19, .top = 64, .width = 85, .height = 34,
     .text = "", .handCursor = true},
    {.name = 按钮1.name, .kind = ControlKind::PushButton, .left = 16, .top = 128, .width = 192, .height = 40,
     .text = "获取下载地址", .tabStop = true},
};

constexpr ControlEvents kEvents[] = {
    {.control = 标签3.name, .leftButtonPressed = ShowDownloadIdHelp},
    {.control = 编辑框3.name, .gotFocus = OnDownloadIdFocused},
    {.control = 标签1.name, .leftButtonPressed = OnRefreshLabelClicked},
    {.control = 图片框1.name, .leftButtonPressed = OnCaptchaPictureClicked},
    {.control = 按钮1.name, .clicked = ResolveDownloadAddress},
};

}  // namespace

void OnMainWindowCreated() {}

const WindowForm MainWindow = {
    .name = "MainWindow",
    .caption = "kavoro取下载地址",
    .outerWidth = 242,
    .outerHeight = 335,
    .minimiseBox = true,
    .maximiseBox = false,
    .created = OnMainWindowCreated,
    .controls = kControls,
    .events = kEvents,
};
