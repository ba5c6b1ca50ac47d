#pragma once
// Helpers for tests of the window services on Qt's offscreen platform.

#include <QAbstractButton>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text/text.h"
#include "runtime/window/message_box_dialog.h"

// The GBK bytes of a UTF-8 text, converted independently of the code under
// test.
std::string Gbk(std::string_view utf8);

// InitRuntime, once per process.
void EnsureRuntime();

// The loaded window of that form name, and a control of it by its name.
QWidget* FindFormWindow(const QString& name);
QWidget* FindControl(const QString& window, const QString& control);

// Closes the window and lets the toolkit destroy it.
void CloseFormWindow(const QString& name);

// Closes every loaded window; tests end with it so that the next one can load
// its form afresh.
void CloseAllFormWindows();

// Activates the window and waits until it is active.
bool ActivateAndWait(QWidget* window);

// Lets `answer` handle the next message box on the window's thread as soon as
// it is shown: inspect it and close it.
void WhenMessageBoxShows(std::function<void(MessageBoxDialog& box)> answer);

// Loads forms and ends with every window closed. Death tests run in a child
// process started afresh, since the toolkit's threads do not survive a fork.
class FormTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  void TearDown() override { CloseAllFormWindows(); }
};

// The lines of `output` that begin with `prefix`.
std::vector<std::string> LinesWithPrefix(const std::string& output, std::string_view prefix);
