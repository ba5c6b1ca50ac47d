#include "runtime/text/runtime_error.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void ReportToStderr(const Text& report) {
  std::fwrite(report.View().data(), 1, report.View().size(), stderr);
  std::fflush(stderr);
  std::_Exit(255);
}

std::atomic<RuntimeErrorReporter> reporter{nullptr};

}  // namespace

Text RuntimeErrorMessage(int code) {
  switch (code) {
    case kIndexAboveCount:
      return "数组成员引用下标超出定义范围";
    case kIndexBelowOne:
      return "数组成员引用下标必须大于等于1";
    default:
      return Text();
  }
}

Text RuntimeErrorReport(int code, const Text& message) {
  Text report = "运行时出错!\r\n\r\n";
  if (code != 0) AppendText(report, ConcatText("错误代码：", Text(std::to_string(code)), "\r\n\r\n").View());
  if (TextLength(message) > 0) AppendText(report, ConcatText("错误信息：", message, "\r\n").View());
  return report;
}

void RaiseRuntimeError(int code) { RaiseRuntimeError(code, RuntimeErrorMessage(code)); }

void RaiseRuntimeError(int code, const Text& message) {
  const Text report = RuntimeErrorReport(code, message);
  if (RuntimeErrorReporter installed = reporter.load()) installed(report);
  // A reporter must not return; if one does, end the process all the same.
  ReportToStderr(report);
}

void SetRuntimeErrorReporter(RuntimeErrorReporter installed) { reporter.store(installed); }
