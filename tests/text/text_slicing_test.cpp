#include <gtest/gtest.h>

#include "runtime/text/text.h"

namespace {

struct SliceCase {
  const char* name;
  Text result;
  const char* expected;
};

TEST(TextSlicing, Table) {
  const SliceCase cases[] = {
      {"left 0", TextLeft("abc", 0), ""},
      {"left negative", TextLeft("abc", -3), ""},
      {"left 2", TextLeft("abc", 2), "ab"},
      {"left beyond", TextLeft("abc", 9), "abc"},
      {"left of empty", TextLeft("", 3), ""},
      {"left cuts a character", TextLeft("\xB0\xA1x", 1), "\xB0"},
      {"right -1", TextRight("abc", -1), ""},
      {"right 2", TextRight("abc", 2), "bc"},
      {"right beyond", TextRight("abc", 4), "abc"},
      {"right cuts a character", TextRight("x\xB0\xA1", 1), "\xA1"},
      {"mid to the end", TextMid("abcdef", 3, 99), "cdef"},
      {"mid inside", TextMid("abcdef", 2, 3), "bcd"},
      {"mid start past end", TextMid("abc", 4, 1), ""},
      {"mid start 0", TextMid("abc", 0, 2), ""},
      {"mid length 0", TextMid("abc", 1, 0), ""},
      {"mid last byte", TextMid("abc", 3, 1), "c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result.View(), c.expected);
  }
}

TEST(TextSlicing, LengthCountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength("下载ID"), 6);
}

}  // namespace
