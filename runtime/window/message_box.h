#pragma once
// Modal message boxes.

#include <optional>

#include "runtime/text/text.h"

// Style flags: the buttons (low 4 bits), the icon and the default button.
inline constexpr int kMessageBoxOk = 0x0;
inline constexpr int kMessageBoxOkCancel = 0x1;
inline constexpr int kMessageBoxAbortRetryIgnore = 0x2;
inline constexpr int kMessageBoxYesNoCancel = 0x3;
inline constexpr int kMessageBoxYesNo = 0x4;
inline constexpr int kMessageBoxRetryCancel = 0x5;
inline constexpr int kMessageBoxIconStop = 0x10;
inline constexpr int kMessageBoxIconQuestion = 0x20;
inline constexpr int kMessageBoxIconExclamation = 0x30;
inline constexpr int kMessageBoxIconInformation = 0x40;
inline constexpr int kMessageBoxDefaultButton2 = 0x100;
inline constexpr int kMessageBoxDefaultButton3 = 0x200;

// Results: the button that closed the box.
inline constexpr int kAnsweredOk = 0;
inline constexpr int kAnsweredCancel = 1;
inline constexpr int kAnsweredAbort = 2;
inline constexpr int kAnsweredRetry = 3;
inline constexpr int kAnsweredIgnore = 4;
inline constexpr int kAnsweredYes = 5;
inline constexpr int kAnsweredNo = 6;

// Shows a box that keeps every window of the program from input until the
// user closes it, and returns the button that closed it. The title defaults
// to "信息：". A text taller than the screen scrolls inside the box. Called
// on another thread, the box is shown by the window's thread and the caller
// waits for the answer.
int ShowMessageBox(const Text& text, int style = 0, const std::optional<Text>& title = std::nullopt);
