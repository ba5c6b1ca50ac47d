#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/text/text.h"

namespace {

std::vector<std::string> Elements(const TextArray& array) {
  std::vector<std::string> out;
  for (int i = 1; i <= ArraySize(array); ++i) out.emplace_back(array[i].View());
  return out;
}

struct ReplaceCase {
  const char* name;
  const char* text;
  const char* sub;
  const char* replacement;
  std::optional<int> start;
  std::optional<int> count;
  bool caseSensitive;
  const char* expected;
};

TEST(ReplaceSubtext, Table) {
  const std::optional<int> all;
  const ReplaceCase cases[] = {
      {"matches never overlap", "aaa", "aa", "b", all, all, true, "ba"},
      {"every occurrence", "a-b-c", "-", "+", all, all, true, "a+b+c"},
      {"replacement is not searched again", "ab", "a", "aa", all, all, true, "aab"},
      {"removal", "http://x/http://y", "http://", "", all, all, true, "x/y"},
      {"from a start position", "a-b-c", "-", "+", 3, all, true, "a-b+c"},
      {"start past the end", "abc", "c", "x", 4, all, true, "abc"},
      {"count limits", "a-b-c", "-", "+", all, 1, true, "a+b-c"},
      {"count 0", "a-b", "-", "+", all, 0, true, "a-b"},
      {"empty sub", "abc", "", "x", all, all, true, "abc"},
      {"case-insensitive", "aXbx", "x", "-", all, all, false, "a-b-"},
      {"case-sensitive", "aXbx", "x", "-", all, all, true, "aXb-"},
      {"never inside a character", "\xB0\x41" "A", "A", "-", all, all, true, "\xB0\x41-"},
      {"quote marker", "#引号x#引号", "#引号", "\"", all, all, true, "\"x\""},
      {"lone lead byte dropped", "ab\xB0", "x", "y", all, all, true, "ab"},
      {"lone lead byte kept when sub is longer", "ab\xB0", "xy", "z", all, all, true, "ab\xB0"},
      {"lone lead byte kept once count is used", "a-\xB0", "-", "+", all, 1, true, "a+\xB0"},
      {"lone lead byte replaced when it matches", "ab\xB0", "\xB0", "!", all, all, true, "ab!"},
      {"lead byte that is a second byte is kept", "a\xB0\xB0", "x", "y", all, all, true, "a\xB0\xB0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceSubtext(c.text, c.sub, c.replacement, c.start, c.count, c.caseSensitive).View(),
              c.expected);
  }
}

struct SplitCase {
  const char* name;
  const char* text;
  const char* separator;
  std::optional<int> count;
  std::vector<std::string> expected;
};

TEST(SplitText, Table) {
  const std::optional<int> all;
  const SplitCase cases[] = {
      {"adjacent separators", "a;;b", ";", all, {"a", "", "b"}},
      {"leading separator", ";a", ";", all, {"", "a"}},
      {"trailing separator", "a;", ";", all, {"a"}},
      {"separator only", ";", ";", all, {""}},
      {"separators only", ";;", ";", all, {"", ""}},
      {"empty text", "", ";", all, {}},
      {"empty separator", "a;b", "", all, {"a;b"}},
      {"separator never found", "abc", ";", all, {"abc"}},
      {"two-byte separator", "a\r\nb\r\n\r\nc", "\r\n", all, {"a", "b", "", "c"}},
      {"count stops and drops the rest", "a;b;c", ";", 2, {"a", "b"}},
      {"count 0", "a;b", ";", 0, {}},
      {"negative count", "a;b", ";", -1, {}},
      {"separator as a second byte", "\xB0\x41", "A", all, {"\xB0\x41"}},
      {"separator after a character", "中;文", ";", all, {"中", "文"}},
      {"full-width separator", "a；b", "；", all, {"a", "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Elements(SplitText(c.text, c.separator, c.count)), c.expected);
  }
}

struct OneArgumentCase {
  const char* name;
  const char* text;
  const char* expected;
};

TEST(ToLowerCase, Table) {
  const OneArgumentCase cases[] = {
      {"ASCII letters", "AbC-Z", "abc-z"},
      {"second byte that is a capital stays", "\xB0\x41" "A", "\xB0\x41" "a"},
      {"lone lead byte", "A\xB0", "a\xB0"},
      {"Chinese untouched", "下载ID", "下载id"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToLowerCase(c.text).View(), c.expected);
  }
}

TEST(TrimBothEnds, Table) {
  const OneArgumentCase cases[] = {
      {"both ends", "  a b  ", "a b"},
      {"tab is no space", "\ta\t", "\ta\t"},
      {"line breaks stay", " a\r\n", "a\r\n"},
      {"full-width spaces", "\xA1\xA1" "a\xA1\xA1", "a"},
      {"mixed run", " \xA1\xA1 a \xA1\xA1 ", "a"},
      {"only spaces", " \xA1\xA1 ", ""},
      {"empty", "", ""},
      {"space inside a character is no space", "\xB0\x20", "\xB0\x20"},
      {"A1 A1 across two characters is no space", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
      {"lone lead byte cut, spaces before it stay", "a \xB0", "a "},
      {"lone A1 at the end", "a\xA1", "a"},
      {"lone A1 after spaces", "  \xA1", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TrimBothEnds(c.text).View(), c.expected);
  }
}

TEST(RemoveAllSpaces, Table) {
  const OneArgumentCase cases[] = {
      {"inner spaces", "a b c", "abc"},
      {"full-width spaces", "k=hello\xA1\xA1world", "k=helloworld"},
      {"tab stays", "a\tb", "a\tb"},
      {"space as a second byte stays", "\xB0\x20x", "\xB0\x20x"},
      {"lone lead byte dropped", "a \xB0", "a"},
      {"only spaces", "  ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RemoveAllSpaces(c.text).View(), c.expected);
  }
}

}  // namespace
