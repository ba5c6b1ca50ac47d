#pragma once
// The form description of a window: a plain table that the program keeps as
// constant data and LoadStartWindow reads. Names and texts are GBK bytes.

#include <cstdint>
#include <span>
#include <string_view>

enum class ControlKind { Label, EditBox, PictureBox, PushButton };

// One control, positioned in the window's client area.
struct ControlForm {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view text;
  bool visible = true;
  bool enabled = true;
  // Edit boxes and push buttons only: whether TAB stops on the control.
  bool tabStop = false;
  int tabOrder = 0;
  // Edit boxes only: Enter breaks lines, the text wraps at the box's width.
  bool multiLine = false;
  std::uint32_t textColour = 0x000000;  // 0xRRGGBB
  // 0 keeps the system's default GUI font; otherwise the default face at
  // this character height in pixels, normal weight.
  int fontPixelHeight = 0;
  bool underline = false;
  bool handCursor = false;
};

// The routines bound to one control's events. Each runs on the window's
// thread; a null routine leaves the event unhandled.
struct ControlEvents {
  std::string_view control;
  // x and y in the control's client area; key state 1 Ctrl, 2 Shift, 4 Alt.
  void (*leftButtonPressed)(int x, int y, int keyState) = nullptr;
  void (*gotFocus)() = nullptr;
  void (*clicked)() = nullptr;
};

// A window with a fixed frame, centred on the screen when it is loaded.
struct WindowForm {
  std::string_view name;
  std::string_view caption;
  int outerWidth = 0;  // including the frame
  int outerHeight = 0;
  bool minimiseBox = true;
  bool maximiseBox = false;
  void (*created)() = nullptr;
  std::span<const ControlForm> controls;  // in control order
  std::span<const ControlEvents> events;
};

// A control as the control services address it: its window's form name and
// its own form name.
struct Control {
  std::string_view window;
  std::string_view name;
};
