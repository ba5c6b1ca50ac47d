// Which events reach the bound routines, when, and with which arguments.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "runtime/text/runtime_error.h"
#include "runtime/window/message_box.h"
#include "runtime/window/program.h"
#include "window_testing.h"

namespace {

std::vector<std::string> handled;

void Created() { handled.push_back("created"); }
void LabelPressed(int x, int y, int keys) { handled.push_back("label " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(keys)); }
void PicturePressed(int x, int y, int keys) { handled.push_back("picture " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(keys)); }
void FirstFocused() { handled.push_back("focus first"); }
void SecondFocused() { handled.push_back("focus second"); }
void Clicked() { handled.push_back("clicked"); }

constexpr ControlForm kControls[] = {
    {.name = "label", .kind = ControlKind::Label, .left = 4, .top = 4, .width = 80, .height = 16, .text = "label"},
    {.name = "picture", .kind = ControlKind::PictureBox, .left = 90, .top = 4, .width = 40, .height = 20, .text = ""},
    {.name = "first", .kind = ControlKind::EditBox, .left = 4, .top = 30, .width = 120, .height = 24, .text = "",
     .tabStop = true},
    {.name = "second", .kind = ControlKind::EditBox, .left = 4, .top = 60, .width = 120, .height = 24, .text = "",
     .tabStop = true},
    {.name = "button", .kind = ControlKind::PushButton, .left = 4, .top = 90, .width = 80, .height = 24,
     .text = "press", .tabStop = true},
};
constexpr ControlEvents kEvents[] = {
    {.control = "label", .leftButtonPressed = LabelPressed},
    {.control = "picture", .leftButtonPressed = PicturePressed},
    {.control = "first", .gotFocus = FirstFocused},
    {.control = "second", .gotFocus = SecondFocused},
    {.control = "button", .clicked = Clicked},
};
const WindowForm kForm{.name = "events", .caption = "events", .outerWidth = 200, .outerHeight = 160,
                       .created = Created, .controls = kControls, .events = kEvents};

class EventDelivery : public FormTest {
 protected:
  void SetUp() override {
    handled.clear();
    LoadStartWindow(kForm);
    window_ = FindFormWindow("events");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  QWidget* Control(const char* name) { return FindControl("events", name); }
  QWidget* window_ = nullptr;
};

TEST_F(EventDelivery, CreatedFiresOnceWhileTheWindowLoads) {
  EXPECT_THAT(handled, testing::ElementsAre("created"));
}

TEST_F(EventDelivery, LeftButtonPressesCarryTheClientPositionAndKeys) {
  struct Case {
    const char* control;
    Qt::MouseButton button;
    Qt::KeyboardModifiers keys;
    QPoint at;
    std::vector<std::string> expected;
  } cases[] = {
      {"label", Qt::LeftButton, {}, {5, 6}, {"label 5 6 0"}},
      {"label", Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, {1, 2}, {"label 1 2 3"}},
      {"label", Qt::LeftButton, Qt::AltModifier, {0, 1}, {"label 0 1 4"}},
      {"label", Qt::RightButton, {}, {5, 6}, {}},
      // The picture box's client area lies inside its one-pixel border.
      {"picture", Qt::LeftButton, {}, {1, 1}, {"picture 0 0 0"}},
      {"picture", Qt::LeftButton, {}, {11, 6}, {"picture 10 5 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " at " + std::to_string(c.at.x()) + "," + std::to_string(c.at.y()));
    handled.clear();
    QTest::mousePress(Control(c.control), c.button, c.keys, c.at);
    EXPECT_EQ(handled, c.expected);
    QTest::mouseRelease(Control(c.control), c.button, c.keys, c.at);
    EXPECT_EQ(handled, c.expected);
  }
}

TEST_F(EventDelivery, EachPressOfADoubleClickCounts) {
  handled.clear();
  QTest::mouseDClick(Control("label"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_THAT(handled, testing::ElementsAre("label 3 3 0", "label 3 3 0"));
}

TEST_F(EventDelivery, ClickedFiresWhenTheButtonIsReleased) {
  handled.clear();
  QTest::mousePress(Control("button"), Qt::LeftButton);
  EXPECT_TRUE(handled.empty());
  QTest::mouseRelease(Control("button"), Qt::LeftButton);
  EXPECT_THAT(handled, testing::ElementsAre("clicked"));
  QTest::keyClick(Control("button"), Qt::Key_Space);
  EXPECT_THAT(handled, testing::ElementsAre("clicked", "clicked"));
}

TEST_F(EventDelivery, GotFocusFiresEachTimeTheFocusArrives) {
  handled.clear();
  Control("first")->setFocus();
  Control("second")->setFocus();
  Control("first")->setFocus();
  Control("button")->setFocus();
  EXPECT_THAT(handled, testing::ElementsAre("focus first", "focus second", "focus first"));
}

TEST_F(EventDelivery, ReactivatingTheWindowGivesTheFocusBackAndFiresAgain) {
  Control("second")->setFocus();
  QWidget other;
  other.resize(50, 50);
  other.show();
  ASSERT_TRUE(ActivateAndWait(&other));
  handled.clear();
  ASSERT_TRUE(ActivateAndWait(window_));
  EXPECT_EQ(QApplication::focusWidget(), Control("second"));
  EXPECT_THAT(handled, testing::ElementsAre("focus second"));
}

TEST_F(EventDelivery, AClickIntoTheInactiveWindowFocusesTheClickedControl) {
  Control("first")->setFocus();
  QWidget other;
  other.resize(50, 50);
  other.show();
  ASSERT_TRUE(ActivateAndWait(&other));
  handled.clear();
  // Some window systems report the activation only after the press that
  // caused it.
  QTest::mousePress(Control("second"), Qt::LeftButton);
  ASSERT_TRUE(ActivateAndWait(window_));
  QTest::mouseRelease(Control("second"), Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), Control("second"));
  EXPECT_THAT(handled, testing::ElementsAre("focus second"));
}

TEST_F(EventDelivery, AMessageBoxTakesTheFocusAndGivesItBack) {
  Control("first")->setFocus();
  handled.clear();
  WhenMessageBoxShows([](MessageBoxDialog& box) { box.Buttons().first()->click(); });
  ShowMessageBox("x");
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_)) << "the window system gives the activation back";
  QTRY_COMPARE(QApplication::focusWidget(), Control("first"));
  EXPECT_THAT(handled, testing::ElementsAre("focus first"));
}

using EventDeliveryDeathTest = EventDelivery;

TEST_F(EventDeliveryDeathTest, NoEventReachesAHandlerWhileARuntimeErrorIsReported) {
  EXPECT_EXIT(
      {
        WhenMessageBoxShows([this](MessageBoxDialog& box) {
          handled.clear();
          QTest::mouseClick(Control("label"), Qt::LeftButton);
          QTest::mouseClick(Control("picture"), Qt::LeftButton);
          QTest::mouseClick(Control("button"), Qt::LeftButton);
          std::fprintf(stderr, "handled while reporting: %zu\n", handled.size());
          box.Buttons().first()->click();
        });
        RaiseRuntimeError(1);
      },
      testing::ExitedWithCode(255), testing::HasSubstr("handled while reporting: 0\n"));
}

}  // namespace
