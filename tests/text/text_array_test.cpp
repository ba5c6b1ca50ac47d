#include <gtest/gtest.h>

#include "runtime/text/runtime_error.h"
#include "runtime/text/text.h"

namespace {

TEST(TextArray, NumbersFromOne) {
  TextArray array;
  EXPECT_EQ(ArraySize(array), 0);
  ArrayAppend(array, "a");
  Text second = "b";
  ArrayAppend(array, second);
  second = "changed";
  EXPECT_EQ(ArraySize(array), 2);
  EXPECT_EQ(array[1].View(), "a");
  EXPECT_EQ(array[2].View(), "b");  // the array owns a copy
}

// The report goes to stderr until the window services install their box.
TEST(TextArrayDeathTest, IndexAboveTheCountIsError1) {
  TextArray array;
  ArrayAppend(array, "a");
  EXPECT_EXIT(array[2], testing::ExitedWithCode(255),
              "^运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n$");
}

TEST(TextArrayDeathTest, IndexBelowOneIsError4) {
  TextArray array;
  ArrayAppend(array, "a");
  EXPECT_EXIT(array[0], testing::ExitedWithCode(255),
              "^运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n$");
}

TEST(RuntimeErrorReport, MessageWithoutCodeHasNoCodeLine) {
  EXPECT_EQ(RuntimeErrorReport(0, "分配 100 字节内存失败!").View(),
            "运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n");
  EXPECT_EQ(RuntimeErrorReport(7, Text()).View(), "运行时出错!\r\n\r\n错误代码：7\r\n\r\n");
}

}  // namespace
