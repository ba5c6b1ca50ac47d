#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "runtime/text/text.h"

namespace {

struct FindCase {
  const char* name;
  const char* text;
  const char* sought;
  int start;
  bool ignoreCase;
  int expected;
};

TEST(FindText, Table) {
  const FindCase cases[] = {
      {"empty sought in text", "abc", "", 0, false, 1},
      {"empty sought from later start", "abc", "", 3, false, 1},
      {"empty sought past end", "abc", "", 4, false, -1},
      {"empty sought in empty text", "", "", 0, false, -1},
      {"start past end", "abc", "c", 4, false, -1},
      {"start 0 is the first byte", "abc", "a", 0, false, 1},
      {"negative start", "abc", "a", -5, false, 1},
      {"start skips earlier match", "abab", "ab", 2, false, 3},
      {"not found", "abc", "d", 0, false, -1},
      {"longer than text", "ab", "abc", 0, false, -1},
      {"case differs", "aXa", "x", 0, false, -1},
      {"ignore case", "aXa", "x", 0, true, 2},
      {"second byte is never a match", "\xB0\x41", "A", 0, false, -1},
      {"second byte, ignoring case", "\xB0\x41", "a", 0, true, -1},
      {"match after a two-byte character", "\xB0\x41" "A", "A", 0, false, 3},
      {"pair straddling two characters", "x\xB1\xB0\xB0\xB1", "\xB0\xB0", 0, false, -1},
      {"two-byte character found", "x\xB1\xB0\xB0\xB1", "\xB0\xB1", 0, false, 4},
      {"walk counts from the start byte", "\xB0\x41\x41", "A", 2, false, 2},
      {"lone lead byte at the end", "ab\xB0", "\xB0", 0, false, 3},
      {"ignore case folds ASCII in trail bytes", "\xB0\x61", "\xB0\x41", 0, true, 1},
      {"ignore case leaves high bytes alone", "\xC1", "\xE1", 0, true, -1},
      {"marker in GBK page", "中文<a id=\"x\">", "<a", 0, false, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected);
  }
}

struct ReverseCase {
  const char* name;
  const char* text;
  const char* sought;
  std::optional<int> start;
  int expected;
};

TEST(FindTextReverse, Table) {
  const ReverseCase cases[] = {
      {"whole text", "a.b.c", ".", std::nullopt, 4},
      {"start 4 covers three bytes", "a.b.c", ".", 4, 2},
      {"start 2", "a.b.c", ".", 2, -1},
      {"start 1", "a.b.c", ".", 1, -1},
      {"start 0", "a.b.c", ".", 0, -1},
      {"start beyond the end", "a.b.c", ".", 9, 4},
      {"occurrence must lie wholly inside", "ab:cd", "b:", 3, -1},
      {"overlapping occurrences", "aaa", "aa", std::nullopt, 2},
      {"empty sought", "abc", "", std::nullopt, 1},
      {"empty sought, nothing covered", "abc", "", 1, -1},
      {"empty text", "", ".", std::nullopt, -1},
      {"never at a second byte", "\xB0.x", ".", std::nullopt, -1},
      {"walk from the first byte whatever the start", "\xB0..", ".", 3, -1},
      {"last colon of a host with port", "example.com:8080", ":", std::nullopt, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start), c.expected);
  }
}

// The walk done the slow, obvious way, to check the fast search against.
int WalkFindSlowly(const std::string& text, const std::string& sought, int start) {
  std::size_t i = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (i >= text.size()) return -1;
  if (sought.empty()) return 1;
  while (i + sought.size() <= text.size()) {
    if (text.compare(i, sought.size(), sought) == 0) return static_cast<int>(i) + 1;
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  return -1;
}

std::string RandomGbkish(std::mt19937& random, std::size_t maxLength) {
  static const char alphabet[] = {'a', 'b', '\xB0', '\xA1'};
  std::string out(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), 'a');
  for (char& c : out) c = alphabet[std::uniform_int_distribution<int>(0, 3)(random)];
  return out;
}

TEST(FindText, AgreesWithTheCharacterWalkOnRandomText) {
  std::mt19937 random(12345);
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomGbkish(random, 24);
    const std::string sought = RandomGbkish(random, 3);
    const int start = std::uniform_int_distribution<int>(-1, 26)(random);
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(text) << " sought "
                                    << testing::PrintToString(sought) << " start " << start);
    ASSERT_EQ(FindText(text, sought, start), WalkFindSlowly(text, sought, start));
  }
}

}  // namespace
