#include <gtest/gtest.h>

#include "runtime/text/text.h"

TEST(TextValue, LiteralsAreGbkBytes) {
  EXPECT_EQ(Text("信息：").View(), "\xD0\xC5\xCF\xA2\xA3\xBA");
  EXPECT_EQ(Text("#引号").View(), "#\xD2\xFD\xBA\xC5");
}

TEST(TextValue, AbsentAndPresentEmptyDifferOnlyAtThePlatformBoundary) {
  const Text absent;
  const Text empty = "";
  EXPECT_TRUE(absent.IsAbsent());
  EXPECT_EQ(absent.CStr(), nullptr);
  EXPECT_FALSE(empty.IsAbsent());
  ASSERT_NE(empty.CStr(), nullptr);
  EXPECT_EQ(*empty.CStr(), '\0');
  EXPECT_EQ(absent, empty);
  EXPECT_EQ(CompareText(absent, empty), 0);
  EXPECT_EQ(TextLength(absent), 0);
  EXPECT_TRUE(Text(static_cast<const char*>(nullptr)).IsAbsent());
}

TEST(TextValue, NeverHoldsAZeroByte) {
  using namespace std::string_literals;
  EXPECT_EQ(Text("ab\0cd"s).View(), "ab");
  EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).View(), "ab");
  Text grown = "x";
  grown.Append(std::string_view("y\0z", 3));
  EXPECT_EQ(grown.View(), "xy");
}

TEST(TextValue, AppendMakesTheAbsentTextPresent) {
  Text text;
  AppendText(text, "");
  EXPECT_FALSE(text.IsAbsent());
  AppendText(text, "ab");
  AppendText(text, "c");
  EXPECT_EQ(text.View(), "abc");
}

TEST(TextValue, EmptyResultsAreAbsent) {
  EXPECT_TRUE(TextLeft("abc", 0).IsAbsent());
  EXPECT_TRUE(TrimBothEnds("   ").IsAbsent());
  EXPECT_TRUE(CharFromCode(0).IsAbsent());
  EXPECT_TRUE(BlankText(0).IsAbsent());
  EXPECT_TRUE(BytesToText({}).IsAbsent());
  EXPECT_FALSE(ConcatText("", "").IsAbsent());
}
