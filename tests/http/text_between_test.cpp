#include "http/text_between.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct BetweenCase {
  std::string text;
  std::string left;
  std::string right;
  int startPos;
  bool ignoreCase;
  std::string expected;
};

void ExpectBetween(const BetweenCase& row) {
  SCOPED_TRACE(testing::PrintToString(row.text) + " between " + testing::PrintToString(row.left) + " and " +
               testing::PrintToString(row.right) + " from " + std::to_string(row.startPos) +
               (row.ignoreCase ? ", ignoring case" : ""));
  EXPECT_EQ(TextBetween(row.text, row.left, row.right, row.startPos, row.ignoreCase).Str(), row.expected);
}

TEST(TextBetweenTest, TakesTheBytesBetweenTheMarkers) {
  const BetweenCase cases[] = {
      {"name=[abc];", "[", "]", 0, false, "abc"},
      {"Set-Cookie: sid=42; path=/", "Set-Cookie:", ";", 0, false, " sid=42"},
      {"User-Agent: Foo/1.0\r\nAccept: a", "User-Agent:", "\r\n", 0, false, " Foo/1.0"},
      {"[ a ]", "[", "]", 0, false, " a "},
      {"[]", "[", "]", 0, false, ""},
      {"abc]", "[", "]", 0, false, ""},
      {"[abc", "[", "]", 0, false, ""},
      {"abc[", "[", "]", 0, false, ""},
      {"", "[", "]", 0, false, ""},
      // A right marker before the left one is never used.
      {"]x[y]", "[", "]", 0, false, "y"},
      // The right marker is sought after the left one, never overlapping it.
      {"aba", "ab", "ba", 0, false, ""},
      {"abba", "ab", "ba", 0, false, ""},
      {"abXba", "ab", "ba", 0, false, "X"},
      {"[a][b]", "[", "]", 2, false, "b"},
      {"[a][b]", "[", "]", 1, false, "a"},
      {"[a][b]", "[", "]", -7, false, "a"},
      {"[a][b]", "[", "]", 6, false, ""},
      {"[a][b]", "[", "]", 7, false, ""},
      {"aAbBa", "A", "B", 0, false, "b"},
      {"aAbBa", "A", "B", 0, true, "A"},
      // An empty left marker is found at the first byte; an empty right
      // marker gives nothing.
      {"abc]", "", "]", 0, false, "abc"},
      {"[abc]", "[", "", 0, false, ""},
      {"", "", "", 0, false, ""},
  };
  for (const BetweenCase& row : cases) {
    ExpectBetween(row);
  }
}

TEST(TextBetweenTest, QuoteMarkerStandsForADoubleQuote) {
  const BetweenCase cases[] = {
      {"a\"b\"c", "#引号", "#引号", 0, false, "b"},
      {"a\"b\"c", "\"", "\"", 0, false, "b"},
      {"a\"b\"c", "#引号", "\"", 0, false, "b"},
      {"<p><a id=\"downs\" href=\"http://dl.example/f.zip\">下载</a>", "<a id=\"downs\" href=\"", "\">", 0,
       false, "http://dl.example/f.zip"},
      {"<p><a id=\"downs\" href=\"http://dl.example/f.zip\">下载</a>",
       "<a id=#引号downs#引号 href=#引号", "#引号>", 0, false, "http://dl.example/f.zip"},
      // The marker text itself, when it is not meant as a quote, is no
      // longer found.
      {"x#引号y#引号z", "#引号", "#引号", 0, false, ""},
      // A hash that is the second byte of a two-byte character does not
      // begin the quote marker.
      {"x\xA3#引号y]", "\xA3#引号", "]", 0, false, "y"},
  };
  for (const BetweenCase& row : cases) {
    ExpectBetween(row);
  }
}

TEST(TextBetweenTest, MatchesOnlyWhereACharacterBegins) {
  const BetweenCase cases[] = {
      // 0xB0 0x5B is one character whose second byte is "[".
      {"\xB0[x[y]", "[", "]", 0, false, "y"},
      // 0xB0 0x5D ends with "]", which must not end the text sought.
      {"[a\xB0]b]", "[", "]", 0, false, "a\xB0]b"},
      {"[a\xB0]", "[", "]", 0, false, ""},
      // 0xB0 0x41 ends with "A": ignoring case must not match it as "a".
      {"\xB0" "AbAcB", "a", "b", 0, true, "c"},
      {"文件【abc】下载", "【", "】", 0, false, "abc"},
      // The bytes of "】" (0xA1 0xBF) also stand across the boundary of the
      // characters 0xB0 0xA1 and 0xBF 0x78.
      {"【\xB0\xA1\xBFx】", "【", "】", 0, false, "\xB0\xA1\xBFx"},
      // A lead byte at the very end has no partner; the walk stops there.
      {"[ab\xB0", "[", "\xB0", 0, false, "ab"},
  };
  for (const BetweenCase& row : cases) {
    ExpectBetween(row);
  }
}

TEST(TextBetweenTest, OmittedOptionsSearchFromTheStartWithCase) {
  EXPECT_EQ(TextBetween("AaBb", "a", "b").Str(), "B");
}

}  // namespace
