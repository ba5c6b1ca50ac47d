#include "runtime/window/control_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QThread>
#include <thread>

#include "runtime/window/program.h"
#include "window_testing.h"

namespace {

constexpr ControlForm kControls[] = {
    {.name = "label", .kind = ControlKind::Label, .left = 4, .top = 4, .width = 80, .height = 16, .text = "start"},
    {.name = "line", .kind = ControlKind::EditBox, .left = 4, .top = 24, .width = 120, .height = 24, .text = "",
     .tabStop = true},
    {.name = "lines", .kind = ControlKind::EditBox, .left = 4, .top = 52, .width = 120, .height = 60, .text = "",
     .tabStop = true, .multiLine = true},
    {.name = "button", .kind = ControlKind::PushButton, .left = 4, .top = 116, .width = 80, .height = 24,
     .text = "press", .tabStop = true},
    {.name = "picture", .kind = ControlKind::PictureBox, .left = 130, .top = 4, .width = 40, .height = 20,
     .text = ""},
};
const WindowForm kForm{.name = "texts", .caption = "texts", .outerWidth = 200, .outerHeight = 180,
                       .controls = kControls, .events = {}};

constexpr Control kLabel{"texts", "label"};
constexpr Control kLine{"texts", "line"};
constexpr Control kLines{"texts", "lines"};
constexpr Control kButton{"texts", "button"};
constexpr Control kPicture{"texts", "picture"};

class ControlServices : public FormTest {
 protected:
  void SetUp() override { LoadStartWindow(kForm); }
  QLineEdit* Line() { return qobject_cast<QLineEdit*>(FindControl("texts", "line")); }
};

TEST_F(ControlServices, WrittenTextReadsBackAsGbk) {
  struct Case {
    const char* what;
    Control control;
    const char* written;
    const char* read;
    const char* shown;
  } cases[] = {
      {"label", kLabel, "标签文字", "标签文字", "标签文字"},
      {"edit box", kLine, "中文 and € ￥", "中文 and € ￥", "中文 and € ￥"},
      {"button", kButton, "按下", "按下", "按下"},
      {"line breaks in a multi-line box", kLines, "a\r\nb\r\n", "a\r\nb\r\n", "a\nb\n"},
      {"lone CR and LF break lines too", kLines, "a\nb\rc", "a\r\nb\r\nc", "a\nb\nc"},
      {"a single-line box keeps them", kLine, "a\r\nb", "a\r\nb", "a\r\nb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteControlText(c.control, Gbk(c.written));
    EXPECT_EQ(ReadControlText(c.control).Str(), Gbk(c.read));
    QWidget* widget = FindControl("texts", QString::fromUtf8(c.control.name.data(), c.control.name.size()));
    const QString shown = widget->property(qobject_cast<QPlainTextEdit*>(widget) ? "plainText" : "text").toString();
    EXPECT_EQ(shown, QString::fromUtf8(c.shown));
  }
}

TEST_F(ControlServices, EmptyControlsReadAsTheAbsentText) {
  EXPECT_TRUE(ReadControlText(kLine).IsAbsent());
  EXPECT_TRUE(ReadControlText(kLines).IsAbsent());
  WriteControlText(kLabel, "x");
  WriteControlText(kLabel, Text(""));
  EXPECT_TRUE(ReadControlText(kLabel).IsAbsent());
  WriteControlText(kLine, "x");
  WriteControlText(kLine, Text());
  EXPECT_TRUE(ReadControlText(kLine).IsAbsent());
  EXPECT_EQ(Line()->text(), QString());
}

TEST_F(ControlServices, ReadsWhatTheUserTyped) {
  QLineEdit* line = Line();
  line->setFocus();
  QTest::keyClicks(line, "ab c");
  EXPECT_EQ(ReadControlText(kLine).Str(), "ab c");
  line->insert(QString::fromUtf8("😀中"));
  EXPECT_EQ(ReadControlText(kLine).Str(), Gbk("ab c?中"));
}

TEST_F(ControlServices, PictureBoxesHoldNoText) {
  WriteControlText(kPicture, "x");
  EXPECT_TRUE(ReadControlText(kPicture).IsAbsent());
}

TEST_F(ControlServices, WriteFromAnotherThreadLandsOnTheWindowThread) {
  QThread* changedOn = nullptr;
  QObject::connect(Line(), &QLineEdit::textChanged, [&] { changedOn = QThread::currentThread(); });
  Text readBack;
  // The window's thread waits in join(): the worker must not need it.
  std::thread worker([&] {
    WriteControlText(kLine, Gbk("来自线程"));
    readBack = ReadControlText(kLine);
  });
  worker.join();
  EXPECT_EQ(readBack.Str(), Gbk("来自线程"));
  EXPECT_EQ(changedOn, nullptr);
  QTRY_COMPARE(Line()->text(), QString::fromUtf8("来自线程"));
  EXPECT_EQ(changedOn, QThread::currentThread());
}

TEST_F(ControlServices, WritesTakeEffectInTheOrderTheyWereMade) {
  std::thread worker([] {
    for (int i = 1; i <= 50; ++i) WriteControlText(kLine, std::to_string(i));
  });
  worker.join();
  WriteControlText(kLine, "window");  // made last, though the worker's are still queued
  QTest::qWait(20);
  EXPECT_EQ(Line()->text(), "window");

  std::thread later([] { WriteControlText(kLine, "worker"); });
  later.join();
  QTRY_COMPARE(Line()->text(), QString("worker"));
  EXPECT_EQ(ReadControlText(kLine).Str(), "worker");
}

TEST_F(ControlServices, ThreadsThatOutliveTheWindowChangeNothing) {
  CloseFormWindow("texts");
  Text read = "unchanged";
  std::thread worker([&] {
    WriteControlText(kLine, "late");
    read = ReadControlText(kLine);
  });
  worker.join();
  QTest::qWait(10);
  EXPECT_TRUE(read.IsAbsent());
}

using ControlServicesDeathTest = ControlServices;

TEST_F(ControlServicesDeathTest, ControlOfAWindowNeverLoadedIsARuntimeError) {
  EXPECT_EXIT(
      {
        WhenMessageBoxShows([](MessageBoxDialog& box) { box.Buttons().first()->click(); });
        ReadControlText(Control{"elsewhere", "line"});
      },
      testing::ExitedWithCode(255), testing::HasSubstr("运行时出错!\r\n\r\n错误信息：未载入欲访问窗口组件所在的窗口\r\n"));
}

}  // namespace
