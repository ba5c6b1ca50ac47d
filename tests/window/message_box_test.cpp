#include "runtime/window/message_box.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QThread>
#include <QWindow>
#include <atomic>
#include <thread>

#include "runtime/window/program.h"
#include "window_testing.h"

namespace {

using Button = QDialogButtonBox::StandardButton;

QPushButton* ButtonOf(MessageBoxDialog& box, Button button) {
  return box.findChild<QDialogButtonBox*>()->button(button);
}

using MessageBox = FormTest;

TEST_F(MessageBox, Style0HasTheDefaultTitleOneOkButtonAndNoIcon) {
  WhenMessageBoxShows([](MessageBoxDialog& box) {
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("信息："));
    EXPECT_EQ(box.ShownText(), QString::fromUtf8("第一行\n第二行"));
    EXPECT_EQ(box.Icon(), QStyle::SP_CustomBase);
    ASSERT_EQ(box.Buttons().size(), 1);
    EXPECT_EQ(box.Buttons().first(), ButtonOf(box, QDialogButtonBox::Ok));
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
    box.Buttons().first()->click();
  });
  EXPECT_EQ(ShowMessageBox(Gbk("第一行\r\n第二行")), kAnsweredOk);
}

TEST_F(MessageBox, AGivenTitleReplacesTheDefault) {
  WhenMessageBoxShows([](MessageBoxDialog& box) {
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("标题"));
    box.Buttons().first()->click();
  });
  ShowMessageBox("x", 0, Text(Gbk("标题")));
}

TEST_F(MessageBox, AnswersTellTheButtonThatClosedTheBox) {
  enum Action { Click, Enter, Escape, CloseBox };
  struct Case {
    int style;
    Action action;
    Button button;
    int answer;
  } cases[] = {
      {0, Click, Button::Ok, kAnsweredOk},
      {0, Enter, Button::NoButton, kAnsweredOk},
      {0, Escape, Button::NoButton, kAnsweredOk},
      {0, CloseBox, Button::NoButton, kAnsweredOk},
      {kMessageBoxOkCancel, Click, Button::Cancel, kAnsweredCancel},
      {kMessageBoxOkCancel, Escape, Button::NoButton, kAnsweredCancel},
      {kMessageBoxOkCancel | kMessageBoxDefaultButton2, Enter, Button::NoButton, kAnsweredCancel},
      {kMessageBoxAbortRetryIgnore, Click, Button::Abort, kAnsweredAbort},
      {kMessageBoxAbortRetryIgnore, Click, Button::Retry, kAnsweredRetry},
      {kMessageBoxAbortRetryIgnore, Click, Button::Ignore, kAnsweredIgnore},
      {kMessageBoxAbortRetryIgnore | kMessageBoxDefaultButton3, Enter, Button::NoButton, kAnsweredIgnore},
      {kMessageBoxYesNoCancel, Click, Button::Yes, kAnsweredYes},
      {kMessageBoxYesNoCancel, Click, Button::No, kAnsweredNo},
      {kMessageBoxYesNoCancel, CloseBox, Button::NoButton, kAnsweredCancel},
      {kMessageBoxYesNo, Click, Button::No, kAnsweredNo},
      {kMessageBoxRetryCancel, Click, Button::Retry, kAnsweredRetry},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + ", action " + std::to_string(c.action));
    WhenMessageBoxShows([&c](MessageBoxDialog& box) {
      switch (c.action) {
        case Click:
          ButtonOf(box, c.button)->click();
          break;
        case Enter:
          QTest::keyClick(&box, Qt::Key_Return);
          break;
        case Escape:
          QTest::keyClick(&box, Qt::Key_Escape);
          break;
        case CloseBox:
          box.close();
          break;
      }
    });
    EXPECT_EQ(ShowMessageBox("x", c.style), c.answer);
  }
}

TEST_F(MessageBox, WithoutACancelButtonEscapeAndTheCloseBoxDoNothing) {
  WhenMessageBoxShows([](MessageBoxDialog& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    box.close();
    EXPECT_TRUE(box.isVisible());
    ButtonOf(box, Button::Yes)->click();
  });
  EXPECT_EQ(ShowMessageBox("x", kMessageBoxYesNo), kAnsweredYes);
}

TEST_F(MessageBox, IconsFollowTheStyle) {
  const std::pair<int, QStyle::StandardPixmap> cases[] = {
      {kMessageBoxIconStop, QStyle::SP_MessageBoxCritical},
      {kMessageBoxIconQuestion, QStyle::SP_MessageBoxQuestion},
      {kMessageBoxIconExclamation, QStyle::SP_MessageBoxWarning},
      {kMessageBoxIconInformation, QStyle::SP_MessageBoxInformation},
  };
  for (const auto& [style, icon] : cases) {
    SCOPED_TRACE(style);
    WhenMessageBoxShows([icon = icon](MessageBoxDialog& box) {
      EXPECT_EQ(box.Icon(), icon);
      box.Buttons().first()->click();
    });
    ShowMessageBox("x", style);
  }
}

void Clicked();
int clicks = 0;
void Clicked() { ++clicks; }

constexpr ControlForm kButtonOnly[] = {
    {.name = "button", .kind = ControlKind::PushButton, .left = 10, .top = 10, .width = 80, .height = 30,
     .text = "press", .tabStop = true},
};
constexpr ControlEvents kButtonEvents[] = {{.control = "button", .clicked = Clicked}};
const WindowForm kButtonForm{.name = "owner", .caption = "owner", .outerWidth = 150, .outerHeight = 100,
                             .controls = kButtonOnly, .events = kButtonEvents};

TEST_F(MessageBox, TheWindowTakesNoInputWhileTheBoxIsOpen) {
  LoadStartWindow(kButtonForm);
  QWidget* window = FindFormWindow("owner");
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const QPoint button = FindControl("owner", "button")->geometry().center();
  clicks = 0;
  WhenMessageBoxShows([&](MessageBoxDialog& box) {
    // Through the window system, as a user's click comes.
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button);
    EXPECT_EQ(clicks, 0);
    box.Buttons().first()->click();
  });
  ShowMessageBox("x");
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MessageBox, AWholePageStaysOnTheScreenAndScrolls) {
  std::string page;
  for (int line = 0; line < 3000; ++line) page += "<p>第" + std::to_string(line) + "行 some text</p>\r\n";
  page += std::string(20000, 'x');
  WhenMessageBoxShows([&](MessageBoxDialog& box) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(box.frameGeometry())) << "box " << box.frameGeometry().height() << " high";
    QWidget* ok = box.Buttons().first();
    EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
    EXPECT_TRUE(box.TextView()->verticalScrollBar()->isVisible());
    EXPECT_EQ(box.ShownText().size(), QString::fromUtf8(page).remove('\r').size());
    box.Buttons().first()->click();
  });
  ShowMessageBox(Gbk(page));
}

TEST_F(MessageBox, ABoxAskedForOnAnotherThreadIsShownByTheWindowThread) {
  QThread* shownOn = nullptr;
  WhenMessageBoxShows([&](MessageBoxDialog& box) {
    shownOn = QThread::currentThread();
    ButtonOf(box, Button::No)->click();
  });
  std::atomic<int> answer{-1};
  std::thread asker([&] { answer = ShowMessageBox("x", kMessageBoxYesNo); });
  QTRY_VERIFY(answer != -1);
  asker.join();
  EXPECT_EQ(answer, kAnsweredNo);
  EXPECT_EQ(shownOn, QThread::currentThread());
}

}  // namespace
