// The control that gets the focus when the window does and none is
// remembered.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "runtime/window/program.h"
#include "window_testing.h"

namespace {

using K = ControlKind;

// Every control kind, all TAB stops of order 0: the last in control order.
constexpr ControlForm kEqualOrders[] = {
    {.name = "edit", .kind = K::EditBox, .left = 0, .top = 0, .width = 50, .height = 20, .text = "", .tabStop = true},
    {.name = "button", .kind = K::PushButton, .left = 0, .top = 30, .width = 50, .height = 20, .text = "b",
     .tabStop = true},
    {.name = "last", .kind = K::EditBox, .left = 0, .top = 60, .width = 50, .height = 20, .text = "", .tabStop = true},
    {.name = "label", .kind = K::Label, .left = 0, .top = 90, .width = 50, .height = 20, .text = "l"},
};

// The lowest tab order wins wherever it stands.
constexpr ControlForm kLowestOrder[] = {
    {.name = "two", .kind = K::EditBox, .left = 0, .top = 0, .width = 50, .height = 20, .text = "", .tabStop = true,
     .tabOrder = 2},
    {.name = "one", .kind = K::EditBox, .left = 0, .top = 30, .width = 50, .height = 20, .text = "", .tabStop = true,
     .tabOrder = 1},
    {.name = "three", .kind = K::PushButton, .left = 0, .top = 60, .width = 50, .height = 20, .text = "b",
     .tabStop = true, .tabOrder = 3},
};

// Hidden, disabled and non-TAB-stop controls are passed over.
constexpr ControlForm kPassedOver[] = {
    {.name = "chosen", .kind = K::EditBox, .left = 0, .top = 0, .width = 50, .height = 20, .text = "",
     .tabStop = true},
    {.name = "no tab stop", .kind = K::EditBox, .left = 0, .top = 30, .width = 50, .height = 20, .text = ""},
    {.name = "disabled", .kind = K::EditBox, .left = 0, .top = 60, .width = 50, .height = 20, .text = "",
     .enabled = false, .tabStop = true},
    {.name = "hidden", .kind = K::PushButton, .left = 0, .top = 90, .width = 50, .height = 20, .text = "b",
     .visible = false, .tabStop = true},
};

// Labels and picture boxes never take the focus.
constexpr ControlForm kNoCandidate[] = {
    {.name = "label", .kind = K::Label, .left = 0, .top = 0, .width = 50, .height = 20, .text = "l", .tabStop = true},
    {.name = "picture", .kind = K::PictureBox, .left = 0, .top = 30, .width = 50, .height = 20, .text = "",
     .tabStop = true},
};

struct Case {
  WindowForm form;
  const char* focused;  // null: no control has the focus
};

const Case kCases[] = {
    {{.name = "equal", .caption = "equal", .outerWidth = 120, .outerHeight = 150, .controls = kEqualOrders,
      .events = {}},
     "last"},
    {{.name = "lowest", .caption = "lowest", .outerWidth = 120, .outerHeight = 150, .controls = kLowestOrder,
      .events = {}},
     "one"},
    {{.name = "passed", .caption = "passed", .outerWidth = 120, .outerHeight = 150, .controls = kPassedOver,
      .events = {}},
     "chosen"},
    {{.name = "none", .caption = "none", .outerWidth = 120, .outerHeight = 150, .controls = kNoCandidate,
      .events = {}},
     nullptr},
};

using FocusRule = FormTest;

TEST_F(FocusRule, FirstActivationFocusesTheLowestTabOrderLatestInControlOrder) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.form.name));
    LoadStartWindow(c.form);
    QWidget* window = FindFormWindow(QString::fromUtf8(c.form.name.data(), c.form.name.size()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QWidget* focused = QApplication::focusWidget();
    if (c.focused) {
      ASSERT_NE(focused, nullptr);
      EXPECT_EQ(focused->objectName(), c.focused);
    } else {
      EXPECT_TRUE(focused == nullptr || focused == window);
    }
    CloseAllFormWindows();
  }
}

TEST_F(FocusRule, TabVisitsTheTabStopsByTabOrder) {
  LoadStartWindow(kCases[1].form);
  QWidget* window = FindFormWindow("lowest");
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  std::vector<QString> visited;
  for (int i = 0; i < 3; ++i) {
    visited.push_back(QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, (std::vector<QString>{"one", "two", "three"}));
}

}  // namespace
