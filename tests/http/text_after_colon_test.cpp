#include "http/text_after_colon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct AfterColonCase {
  std::string text;
  std::string expected;
};

TEST(TextAfterColonTest, TakesTheTrimmedRestAfterTheFirstColon) {
  const AfterColonCase cases[] = {
      {"Location: /next", "/next"},
      {"Content-Location: http://example.com/next", "http://example.com/next"},
      {"a: b: c", "b: c"},
      {"Key:", ""},
      {"Key:   ", ""},
      {":", ""},
      {":value", "value"},
      {"no colon here", ""},
      {"", ""},
      // Only 0x20 and the full-width space are spaces.
      {"Key:\tvalue", "\tvalue"},
      {"Key: value\r", "value\r"},
      {"Key:\xA1\xA1 value \xA1\xA1", "value"},
      // 0xB0 0x3A is one character whose second byte is ":".
      {"\xB0:x:y", "y"},
      {"\xB0:", ""},
  };
  for (const AfterColonCase& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.text));
    EXPECT_EQ(TextAfterColon(row.text).Str(), row.expected);
  }
}

}  // namespace
