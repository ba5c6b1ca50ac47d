#include "http/merge_cookies.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MergeCase {
  std::string cookies;
  std::string newCookies;
  std::string merged;
  std::string newCookiesAfter;
};

void ExpectMerge(const MergeCase& row) {
  SCOPED_TRACE(testing::PrintToString(row.cookies) + " merged with " +
               testing::PrintToString(row.newCookies));
  Text cookies(row.cookies);
  Text newCookies(row.newCookies);
  const Text result = MergeCookies(cookies, newCookies);
  EXPECT_EQ(cookies.Str(), row.merged);
  EXPECT_EQ(result.Str(), row.merged);
  EXPECT_EQ(newCookies.Str(), row.newCookiesAfter);
}

TEST(MergeCookiesTest, MergesTheNewCookiesIntoTheOld) {
  const MergeCase cases[] = {
      {"sid=A1; lang=cn", "sid=B2; token=T9", "sid=B2; token=T9; lang=cn", "sid=B2;token=T9"},
      {"a=1; b=2; a=3", "b=deleted; c=4; c=4", "c=4; a=1", "b=deleted;c=4;c=4"},
      {"a=1; b=2", "", "a=1; b=2", ""},
      {"", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
      {"", "", "", ""},
      // Spaces go everywhere, inside values too.
      {"k=hello world", "", "k=helloworld", ""},
      {"a = 1 ;  b=2", " c = 3 ", "c=3; a=1; b=2", "c=3"},
      {"a=1;b=2", "", "a=1; b=2", ""},
      // A deleted cookie goes, and so does the deletion item.
      {"a=1; b=2", "a=deleted", "b=2", "a=deleted"},
      {"a=1", "=deleted", "a=1", "=deleted"},
      {"a=deleted; b=2", "", "b=2", ""},
      // Names compare with case.
      {"SID=1", "sid=2", "sid=2; SID=1", "sid=2"},
      {"flag", "flag=1", "flag=1", "flag=1"},
      {"flag=1", "flag", "flag", "flag"},
      // New items with one name all stay; identical items stay once.
      {"c=0", "c=1; c=2", "c=1; c=2", "c=1;c=2"},
      {"x=1; x=1", "", "x=1", ""},
      {"x=1; x=2", "", "x=1", ""},
      // Empty items: a leading separator gives one, a trailing one none.
      {"a=1", "; ", "; a=1", ";"},
      {"a=1;", "", "a=1", ""},
      {"a=1; ", "", "a=1", ""},
      {"; a=1", "", "; a=1", ""},
      {";", "", "", ""},
  };
  for (const MergeCase& row : cases) {
    ExpectMerge(row);
  }
}

TEST(MergeCookiesTest, HandlesTwoByteCharacters) {
  const MergeCase cases[] = {
      // Full-width spaces (0xA1 0xA1) go like 0x20 ones.
      {"a=1;\xA1\xA1" "b=2", "\xA1\xA1" "c=3\xA1\xA1", "c=3; a=1; b=2", "c=3"},
      {"k=\xA1\xA1v", "", "k=v", ""},
      {"\xA1\xA1" "a\xA1\xA1=1", "a=2", "a=2", "a=2"},
      // 0xB0 0xA1 is a character; the 0xA1 0xA1 after it is a space.
      {"k=\xB0\xA1\xA1\xA1", "", "k=\xB0\xA1", ""},
      // 0xB0 0x20 is a character, not a space.
      {"k=\xB0 ", "", "k=\xB0 ", ""},
      // 0xB0 0x3B is a character, not a separator.
      {"k=\xB0;x; a=1", "", "k=\xB0;x; a=1", ""},
      // 0xB0 0x3D is a character, not the end of the name.
      {"\xB0=x=1", "\xB0=x=2", "\xB0=x=2", "\xB0=x=2"},
      {"\xB0=x=1", "\xB0=y=2", "\xB0=y=2; \xB0=x=1", "\xB0=y=2"},
      {"名=值; 名=新", "", "名=值", ""},
  };
  for (const MergeCase& row : cases) {
    ExpectMerge(row);
  }
}

struct SelfMergeCase {
  std::string jar;
  std::string merged;
};

// The captcha fetch hands one variable in as both texts.
TEST(MergeCookiesTest, OneVariableAsBothTexts) {
  const SelfMergeCase cases[] = {
      {"x=1; y=2; x=1", "x=1; y=2"},
      {"x=1;y=2", "x=1; y=2"},
      {"a=1; b=deleted; a=2", "a=1; a=2"},
      {"a = 1;\xA1\xA1" "b=2", "a=1; b=2"},
      {"; ", ""},
      {"", ""},
  };
  for (const SelfMergeCase& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.jar));
    Text jar(row.jar);
    const Text result = MergeCookies(jar, jar);
    EXPECT_EQ(jar.Str(), row.merged);
    EXPECT_EQ(result.Str(), row.merged);
  }
}

}  // namespace
