#include "runtime/window/window_errors.h"

#include <string>

#include "runtime/text/runtime_error.h"

void RaiseAllocationFailure(std::size_t size) {
  RaiseRuntimeError(0, ConcatText({"分配 ", std::to_string(size), " 字节内存失败!"}));
}

void RaiseWindowLoadFailure() { RaiseRuntimeError(0, "载入启动窗口失败"); }

void RaiseWindowNotLoaded() { RaiseRuntimeError(0, "未载入欲访问窗口组件所在的窗口"); }
