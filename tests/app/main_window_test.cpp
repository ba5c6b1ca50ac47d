// MainWindow as the user meets it, on Qt's offscreen platform. The controls
// are found by their names, as the window services name their widgets.

#include "app/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/help_text.h"
#include "app/start_program.h"
#include "runtime/window/picture_box.h"
#include "runtime/window/program.h"
#include "window_testing.h"
#include "workflow/cookie_jar.h"
#include "workflow/service_hosts.h"

namespace {

// Counts the times a control receives the keyboard focus.
class FocusCounter : public QObject {
 public:
  explicit FocusCounter(QString control) : control_(std::move(control)) {}
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && watched->objectName() == control_) ++count;
    return false;
  }

 private:
  QString control_;
};

class MainWindowTest : public FormTest {
 protected:
  void SetUp() override {
    QApplication::instance()->installEventFilter(&idBoxFocus_);
    LoadStartWindow(MainWindow);
    window_ = FindFormWindow("MainWindow");
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override {
    QApplication::instance()->removeEventFilter(&idBoxFocus_);
    FormTest::TearDown();
  }
  QWidget* Control(const char* name) { return FindControl("MainWindow", QString::fromUtf8(name)); }

  FocusCounter idBoxFocus_{QString::fromUtf8("编辑框3")};
  QWidget* window_ = nullptr;
};

TEST_F(MainWindowTest, IsAFixedCentredWindowOfTheGivenOuterSize) {
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("kavoro取下载地址"));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(window_->frameGeometry(),
            QRect((screen.width() - 242) / 2, (screen.height() - 335) / 2, 242, 335));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_EQ(window_->palette().color(QPalette::Window), window_->palette().color(QPalette::Button));
}

TEST_F(MainWindowTest, ControlsStandWhereTheFormPutsThemWithTheirTextsAndFonts) {
  struct Expected {
    const char* name;
    const char* kind;
    QRect geometry;
    const char* text;
    int fontPixels;  // 0: the default GUI font
    bool underline;
    bool red;
    Qt::CursorShape cursor;
    bool tabStop;
  } controls[] = {
      {"标签4", "QLabel", {92, 288, 136, 16}, "kavoro取下载地址 v1.0", 0, false, false, Qt::ArrowCursor, false},
      {"标签3", "QLabel", {80, 40, 88, 16}, "什么是下载ID？", 12, true, true, Qt::PointingHandCursor, false},
      {"标签2", "QLabel", {8, 16, 40, 16}, "下载ID", 0, false, false, Qt::ArrowCursor, false},
      {"编辑框3", "QLineEdit", {51, 10, 155, 25}, "", 0, false, false, Qt::IBeamCursor, true},
      {"编辑框2", "QPlainTextEdit", {5, 172, 224, 112}, "", 0, false, false, Qt::IBeamCursor, true},
      {"标签1", "QLabel", {20, 99, 68, 19}, "刷新验证码", 12, true, false, Qt::PointingHandCursor, false},
      {"编辑框1", "QLineEdit", {117, 63, 86, 32}, "", 19, false, false, Qt::IBeamCursor, true},
      {"图片框1", "PictureBox", {19, 64, 85, 34}, "", 0, false, false, Qt::PointingHandCursor, false},
      {"按钮1", "QPushButton", {16, 128, 192, 40}, "获取下载地址", 0, false, false, Qt::ArrowCursor, true},
  };
  const QList<QWidget*> children = window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_EQ(children.size(), std::size(controls));
  const QFont defaultFont = QApplication::font();
  for (std::size_t i = 0; i < std::size(controls); ++i) {
    const Expected& c = controls[i];
    SCOPED_TRACE(c.name);
    QWidget* control = Control(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(children[static_cast<qsizetype>(i)], control) << "control order";
    EXPECT_TRUE(std::string_view(c.kind) == "PictureBox" ? dynamic_cast<PictureBox*>(control) != nullptr
                                                         : control->inherits(c.kind));
    EXPECT_EQ(control->geometry(), c.geometry);
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->isEnabled());
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
    if (auto* line = qobject_cast<QLineEdit*>(control)) text = line->text();
    if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) text = lines->toPlainText();
    if (auto* button = qobject_cast<QPushButton*>(control)) text = button->text();
    EXPECT_EQ(text, QString::fromUtf8(c.text));
    const QFont font = control->font();
    if (c.fontPixels > 0) {
      EXPECT_EQ(font.pixelSize(), c.fontPixels);
      EXPECT_EQ(font.family(), defaultFont.family());
      EXPECT_EQ(font.weight(), QFont::Normal);
    } else {
      EXPECT_EQ(font, defaultFont);
    }
    EXPECT_EQ(font.underline(), c.underline);
    EXPECT_EQ(control->palette().color(QPalette::WindowText), c.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    // The edit boxes' I-beam is shown over their text area.
    QWidget* pointed = qobject_cast<QPlainTextEdit*>(control) ? qobject_cast<QPlainTextEdit*>(control)->viewport()
                                                              : control;
    EXPECT_EQ(pointed->cursor().shape(), c.cursor);
    EXPECT_EQ(bool(control->focusPolicy() & Qt::TabFocus), c.tabStop);
  }
  auto* address = qobject_cast<QPlainTextEdit*>(Control("编辑框2"));
  EXPECT_EQ(address->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(address->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(address->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_FALSE(address->isReadOnly());
  EXPECT_FALSE(qobject_cast<QLineEdit*>(Control("编辑框3"))->isReadOnly());
  EXPECT_FALSE(qobject_cast<QPushButton*>(Control("按钮1"))->isDefault());
  EXPECT_FALSE(dynamic_cast<PictureBox*>(Control("图片框1"))->HasPicture());
}

TEST_F(MainWindowTest, StartsWithTheFocusOnTheButtonAndNothingInTheIdBox) {
  EXPECT_EQ(QApplication::focusWidget(), Control("按钮1"));
  EXPECT_EQ(idBoxFocus_.count, 0);
}

TEST_F(MainWindowTest, APressOnTheHelpLabelShowsTheHelpWhileTheWindowWaits) {
  const QPoint idBox = Control("编辑框3")->geometry().center();
  bool shown = false;
  WhenMessageBoxShows([&](MessageBoxDialog& box) {
    shown = true;
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("信息："));
    EXPECT_EQ(box.ShownText(), QString::fromUtf8("下载ID：\n  假如kavoro网盘页面的地址是http://") + ServiceHost +
                                   "/file/aeea4f9608859d09.html\n" + QString::fromUtf8("那么下载ID就为 aeea4f9608859d09"));
    EXPECT_EQ(box.Buttons().size(), 1);
    EXPECT_EQ(box.Icon(), QStyle::SP_CustomBase);
    // A click into the ID box through the window system changes nothing.
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, idBox);
    EXPECT_EQ(idBoxFocus_.count, 0);
    box.Buttons().first()->click();
  });
  QTest::mousePress(Control("标签3"), Qt::LeftButton);
  EXPECT_TRUE(shown);
  QTRY_COMPARE(QApplication::focusWidget(), Control("按钮1"));
  EXPECT_EQ(idBoxFocus_.count, 0);
}

TEST_F(MainWindowTest, OtherLabelsAndTheAddressBoxStartNothing) {
  for (const char* name : {"标签2", "标签4", "编辑框2"}) {
    SCOPED_TRACE(name);
    QTest::mouseClick(Control(name), Qt::LeftButton);
    QTest::qWait(10);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST(HelpText, GivesAnExamplePageOnTheServiceHost) {
  EXPECT_EQ(HelpText().Str(), Gbk("下载ID：\r\n  假如kavoro网盘页面的地址是http://" + std::string(ServiceHost) +
                                  "/file/aeea4f9608859d09.html\r\n那么下载ID就为 aeea4f9608859d09"));
}

void SayWhetherTheJarIsReleased() {
  std::fprintf(stderr, "jar %s\n", cookieJar.IsAbsent() ? "released" : "kept");
}

using StartProgramDeathTest = FormTest;

TEST_F(StartProgramDeathTest, ClosingTheWindowReleasesTheCookieJarAndExits0) {
  EXPECT_EXIT(
      {
        cookieJar = "PHPSESSID=1";
        QTimer::singleShot(50, [] {
          RegisterExitRoutine(SayWhetherTheJarIsReleased);
          FindFormWindow("MainWindow")->close();
        });
        EndProgram(StartProgram());
      },
      testing::ExitedWithCode(0), testing::HasSubstr("jar released\n"));
}

}  // namespace
