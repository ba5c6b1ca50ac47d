#include "http/cookie_items.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

TextArray ArrayOf(std::initializer_list<const char*> items) {
  TextArray array;
  for (const char* item : items) {
    ArrayAppend(array, item);
  }
  return array;
}

TEST(CookieNameTest, TextBeforeTheFirstEqualsSignTrimmed) {
  const struct {
    std::string item;
    std::string name;
  } cases[] = {
      {"sid=42", "sid"},
      {"a=b=c", "a"},
      {" a =1", "a"},
      {"\xA1\xA1name\xA1\xA1=v", "name"},
      {"\tname=v", "\tname"},
      {"flag", "flag"},
      {" flag ", "flag"},
      {"=deleted", ""},
      {"", ""},
      // 0xB0 0x3D is one character whose second byte is "=".
      {"\xB0=x=1", "\xB0=x"},
      {"名字=值", "名字"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.item));
    EXPECT_EQ(CookieName(row.item).Str(), row.name);
  }
}

TEST(ContainsCookieNameTest, ComparesNamesWithCase) {
  const TextArray list = ArrayOf({"a=1", "B=2", "flag", " c =3"});
  EXPECT_TRUE(ContainsCookieName(list, "a"));
  EXPECT_TRUE(ContainsCookieName(list, "flag"));
  EXPECT_TRUE(ContainsCookieName(list, "c"));
  EXPECT_FALSE(ContainsCookieName(list, "b"));
  EXPECT_FALSE(ContainsCookieName(list, "a=1"));
  EXPECT_FALSE(ContainsCookieName(list, ""));
  EXPECT_TRUE(ContainsCookieName(ArrayOf({"x=1", "=v"}), ""));
  EXPECT_FALSE(ContainsCookieName(TextArray(), ""));
}

TEST(IndexOfItemTest, NumberOfTheFirstEqualElement) {
  const TextArray array = ArrayOf({"x", "y", "x", ""});
  EXPECT_EQ(IndexOfItem(array, "x"), 1);
  EXPECT_EQ(IndexOfItem(array, "y"), 2);
  EXPECT_EQ(IndexOfItem(array, ""), 4);
  EXPECT_EQ(IndexOfItem(array, Text()), 4);
  EXPECT_EQ(IndexOfItem(array, "X"), -1);
  EXPECT_EQ(IndexOfItem(array, "xy"), -1);
  EXPECT_EQ(IndexOfItem(TextArray(), ""), -1);
}

TEST(RemoveDuplicateItemsTest, KeepsTheFirstOfIdenticalItems) {
  const struct {
    std::string text;
    std::string separator;
    std::string expected;
  } cases[] = {
      {"a; b; a; c; b", "; ", "a; b; c"},
      {"a=1; a=2", "; ", "a=1; a=2"},
      {"a; A", "; ", "a; A"},
      {"a", "; ", "a"},
      {"", "; ", ""},
      {"; ", "; ", ""},
      {"; ; a", "; ", "; a"},
      {"a; ", "; ", "a"},
      {"a;a;a", ";", "a"},
      {"a||b||a", "||", "a||b"},
      {"abc", "", "abc"},
      // 0xB0 0x3B is one character whose second byte is ";".
      {"\xB0;x;\xB0;x", ";", "\xB0;x"},
      {"值；值；名", "；", "值；名"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.text) + " by " + testing::PrintToString(row.separator));
    EXPECT_EQ(RemoveDuplicateItems(row.text, row.separator).Str(), row.expected);
  }
}

}  // namespace
