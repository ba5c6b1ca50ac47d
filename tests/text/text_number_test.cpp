#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/text/text.h"

namespace {

struct NumberCase {
  const char* name;
  const char* text;
  std::int32_t expected;
};

TEST(ToInteger, Table) {
  const NumberCase cases[] = {
      {"leading blank and trailing letters", " -12ab", -12},
      {"plus sign", "+7", 7},
      {"no hexadecimal", "0x1F", 0},
      {"empty", "", 0},
      {"no digits", "abc", 0},
      {"sign alone", "-", 0},
      {"white space 09 to 0D skipped", "\t\r\n\v\f 5", 5},
      {"wraps past the largest", "2147483648", INT32_MIN},
      {"wraps twice round", "4294967297", 1},
      {"negative wraps", "-2147483649", INT32_MAX},
      {"full-width digits", "\xA3\xB8\xA3\xB0", 80},
      {"full-width minus and digits", "\xA3\xAD\xA3\xB3", -3},
      {"full-width space skipped", "\xA1\xA1" "9", 9},
      {"ends at a Chinese character", "12中3", 12},
      {"port after a colon", "8080/", 8080},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToInteger(c.text), c.expected);
  }
}

}  // namespace
