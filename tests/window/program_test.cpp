// The end of the program: normally, on another thread, and after runtime
// errors. Each case runs in a child process, since each ends its process.

#include "runtime/window/program.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <new>

#include "runtime/text/runtime_error.h"
#include "runtime/window/control_services.h"
#include "runtime/window/start_thread.h"
#include "runtime/window/window_errors.h"
#include "window_testing.h"

// Requests too large for any heap must come back as a failure, not as the
// sanitizer's own report.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

using testing::ElementsAre;
using testing::ExitedWithCode;
using testing::HasSubstr;

void Say(const char* line) { std::fprintf(stderr, "%s\n", line); }
void ExitA() { Say("exit A"); }
void ExitB() { Say("exit B"); }
void ExitOnWhichThread() {
  Say(QThread::currentThread() == QCoreApplication::instance()->thread() ? "exit on the window thread"
                                                                         : "exit on another thread");
}

constexpr ControlForm kControls[] = {
    {.name = "label", .kind = ControlKind::Label, .left = 4, .top = 4, .width = 80, .height = 16, .text = "x"},
    {.name = "picture", .kind = ControlKind::PictureBox, .left = 4, .top = 24, .width = 40, .height = 20,
     .text = ""},
};
const WindowForm kForm{.name = "program", .caption = "program", .outerWidth = 150, .outerHeight = 100,
                       .controls = kControls, .events = {}};

void CloseSoon() {
  QTimer::singleShot(20, [] { FindFormWindow("program")->close(); });
}

auto ExitLines() {
  return testing::ResultOf([](const std::string& output) { return LinesWithPrefix(output, "exit "); },
                           ElementsAre("exit A", "exit B"));
}

// "运行时出错!\r\n\r\n" and the rest, as the report box and stderr show it.
std::string Report(const std::string& rest) { return "运行时出错!\r\n\r\n" + rest; }

void AnswerTheReport() {
  WhenMessageBoxShows([](MessageBoxDialog& box) {
    std::fprintf(stderr, "box \"%s\" critical:%d buttons:%lld on the window thread:%d\n",
                 box.windowTitle().toUtf8().constData(), box.Icon() == QStyle::SP_MessageBoxCritical,
                 static_cast<long long>(box.Buttons().size()),
                 QThread::currentThread() == QCoreApplication::instance()->thread());
    std::fprintf(stderr, "box text:%s\n", box.ShownText().toUtf8().constData());
    box.Buttons().first()->click();
  });
}

using ProgramDeathTest = FormTest;

TEST_F(ProgramDeathTest, ClosingTheWindowRunsTheExitRoutinesOnceEachInOrderAndExits0) {
  EXPECT_EXIT(
      {
        RegisterExitRoutine(ExitA);
        RegisterExitRoutine(ExitB);
        RegisterExitRoutine(ExitA);
        LoadStartWindow(kForm);
        CloseSoon();
        RunMessageLoop();
        EndProgram(0);
      },
      ExitedWithCode(0), ExitLines());
}

TEST_F(ProgramDeathTest, RunMessageLoopReturnsAtOnceWithoutAWindow) {
  EXPECT_EXIT(
      {
        RunMessageLoop();
        std::_Exit(7);
      },
      ExitedWithCode(7), "");
}

TEST_F(ProgramDeathTest, EndProgramOnAnotherThreadEndsOnTheWindowThread) {
  EXPECT_EXIT(
      {
        RegisterExitRoutine(ExitOnWhichThread);
        LoadStartWindow(kForm);
        StartThread([] { EndProgram(3); });
        RunMessageLoop();
      },
      ExitedWithCode(3), HasSubstr("exit on the window thread"));
}

TEST_F(ProgramDeathTest, ThreadsStillRunningDoNotDisturbTheEnd) {
  EXPECT_EXIT(
      {
        LoadStartWindow(kForm);
        for (int i = 0; i < 4; ++i) {
          StartThread([] {
            for (int n = 0;; ++n) {
              WriteControlText({"program", "label"}, std::to_string(n));
              ReadControlText({"program", "label"});
              std::string growing(static_cast<std::size_t>(n % 4096), 'x');
            }
          });
        }
        CloseSoon();
        RunMessageLoop();
        EndProgram(0);
      },
      ExitedWithCode(0), "");
}

TEST_F(ProgramDeathTest, ARuntimeErrorShowsItsReportAndEndsWith255WithoutExitRoutines) {
  EXPECT_EXIT(
      {
        RegisterExitRoutine(ExitA);
        LoadStartWindow(kForm);
        AnswerTheReport();
        RaiseRuntimeError(1);
      },
      ExitedWithCode(255),
      testing::AllOf(HasSubstr("box \"错误\" critical:1 buttons:1 on the window thread:1\n"),
                     HasSubstr("box text:运行时出错!\n\n错误代码：1\n\n错误信息：数组成员引用下标超出定义范围\n\n"),
                     HasSubstr(Report("错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n")),
                     testing::Not(HasSubstr("exit A"))));
}

TEST_F(ProgramDeathTest, AnErrorOnAnotherThreadIsShownByTheWindowThread) {
  EXPECT_EXIT(
      {
        LoadStartWindow(kForm);
        AnswerTheReport();
        StartThread([] { RaiseRuntimeError(4); });
        RunMessageLoop();
      },
      ExitedWithCode(255),
      testing::AllOf(HasSubstr("on the window thread:1\n"),
                     HasSubstr(Report("错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"))));
}

TEST_F(ProgramDeathTest, AFailedAllocationNamesItsSizeWithoutACodeLine) {
  EXPECT_EXIT(
      {
        AnswerTheReport();
        RaiseAllocationFailure(100);
      },
      ExitedWithCode(255), HasSubstr(Report("错误信息：分配 100 字节内存失败!\r\n")));
  EXPECT_EXIT(
      {
        AnswerTheReport();
        void* volatile block = ::operator new(std::size_t{1} << 62);
        std::fprintf(stderr, "allocated %p\n", block);
      },
      ExitedWithCode(255), HasSubstr(Report("错误信息：分配 4611686018427387904 字节内存失败!\r\n")));
}

TEST_F(ProgramDeathTest, AFormThatCannotBeLoadedIsARuntimeError) {
  static constexpr ControlForm kTwins[] = {
      {.name = "twin", .kind = ControlKind::Label, .left = 0, .top = 0, .width = 10, .height = 10, .text = ""},
      {.name = "twin", .kind = ControlKind::Label, .left = 0, .top = 10, .width = 10, .height = 10, .text = ""},
  };
  static constexpr ControlEvents kStray[] = {{.control = "nowhere", .clicked = [] {}}};
  const WindowForm twins{.name = "twins", .caption = "", .outerWidth = 50, .outerHeight = 50, .controls = kTwins,
                         .events = {}};
  const WindowForm stray{.name = "stray", .caption = "", .outerWidth = 50, .outerHeight = 50,
                         .controls = kControls, .events = kStray};
  for (const WindowForm* form : {&twins, &stray}) {
    SCOPED_TRACE(std::string(form->name));
    EXPECT_EXIT(
        {
          AnswerTheReport();
          LoadStartWindow(*form);
        },
        ExitedWithCode(255), HasSubstr(Report("错误信息：载入启动窗口失败\r\n")));
  }
}

}  // namespace
