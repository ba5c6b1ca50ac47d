#pragma once
// The nine controls of MainWindow as the control services address them. The
// names are GBK, so this header belongs to code compiled with GBK literals.

#include "runtime/window/form.h"

inline constexpr Control 标签4{"MainWindow", "标签4"};
inline constexpr Control 标签3{"MainWindow", "标签3"};
inline constexpr Control 标签2{"MainWindow", "标签2"};
inline constexpr Control 编辑框3{"MainWindow", "编辑框3"};
inline constexpr Control 编辑框2{"MainWindow", "编辑框2"};
inline constexpr Control 标签1{"MainWindow", "标签1"};
inline constexpr Control 编辑框1{"MainWindow", "编辑框1"};
inline constexpr Control 图片框1{"MainWindow", "图片框1"};
inline constexpr Control 按钮1{"MainWindow", "按钮1"};
