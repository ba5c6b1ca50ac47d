#include "window_testing.h"

#include <iconv.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <sstream>

#include "runtime/window/form_window.h"
#include "runtime/window/program.h"

std::string Gbk(std::string_view utf8) {
  iconv_t converter = iconv_open("CP936", "UTF-8");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* next = out.data();
  std::size_t outLeft = out.size();
  iconv(converter, &in, &inLeft, &next, &outLeft);
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

void EnsureRuntime() { InitRuntime(); }

QWidget* FindFormWindow(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name && widget->isVisible()) return widget;
  }
  return nullptr;
}

QWidget* FindControl(const QString& window, const QString& control) {
  QWidget* form = FindFormWindow(window);
  return form ? form->findChild<QWidget*>(control) : nullptr;
}

void CloseFormWindow(const QString& name) {
  if (QWidget* window = FindFormWindow(name)) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void CloseAllFormWindows() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (dynamic_cast<FormWindow*>(widget) && widget->isVisible()) widget->close();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void FormTest::SetUpTestSuite() {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EnsureRuntime();
}

bool ActivateAndWait(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

void WhenMessageBoxShows(std::function<void(MessageBoxDialog& box)> answer) {
  auto* poll = new QTimer(QCoreApplication::instance());
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
    auto* box = qobject_cast<MessageBoxDialog*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    answer(*box);
  });
  poll->start(5);
}

std::vector<std::string> LinesWithPrefix(const std::string& output, std::string_view prefix) {
  std::vector<std::string> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    if (line.starts_with(prefix)) lines.push_back(line);
  }
  return lines;
}

// The font library keeps caches for the life of the process, which the leak
// checker counts as leaks when a test process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
