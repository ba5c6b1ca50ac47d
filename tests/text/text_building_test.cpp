#include <gtest/gtest.h>

#include "runtime/text/text.h"

namespace {

TEST(CharFromCode, TakesTheLowByte) {
  EXPECT_TRUE(CharFromCode(0).IsAbsent());
  EXPECT_TRUE(CharFromCode(0x100).IsAbsent());
  EXPECT_EQ(CharFromCode('A').View(), "A");
  EXPECT_EQ(CharFromCode(0x141).View(), "A");
  EXPECT_EQ(CharFromCode(0xB0).View(), "\xB0");
}

TEST(BlankText, MakesSpaces) {
  EXPECT_EQ(BlankText(3).View(), "   ");
  EXPECT_EQ(TextLength(BlankText(5000)), 5000);
  EXPECT_TRUE(BlankText(0).IsAbsent());
  EXPECT_TRUE(BlankText(-1).IsAbsent());
}

TEST(ConcatText, JoinsInOrderAndIsAlwaysPresent) {
  EXPECT_EQ(ConcatText("a", "", "bc", Text()).View(), "abc");
  EXPECT_EQ(ConcatText("验证码", "1").View(), "验证码1");
  const Text empty = ConcatText(Text(), Text());
  EXPECT_FALSE(empty.IsAbsent());
  EXPECT_EQ(TextLength(empty), 0);
}

struct CompareCase {
  const char* name;
  const char* a;
  const char* b;
  int expected;
};

TEST(CompareText, Table) {
  const CompareCase cases[] = {
      {"equal", "abc", "abc", 0},
      {"prefix orders first", "ab", "abc", -1},
      {"longer orders last", "abc", "ab", 1},
      {"case counts", "A", "a", -1},
      {"bytes compare unsigned", "\xB0", "a", 1},
      {"both empty", "", "", 0},
      {"1 with a line break is not 1", "1\r\n", "1", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompareText(c.a, c.b), c.expected);
  }
  EXPECT_EQ(CompareText(Text(), ""), 0);
}

TEST(BitOr, CombinesFlags) {
  EXPECT_EQ(BitOr(0x80000000u, 0x10), static_cast<int>(0x80000010u));
  EXPECT_EQ(BitOr(1, 2, 4), 7);
}

}  // namespace
