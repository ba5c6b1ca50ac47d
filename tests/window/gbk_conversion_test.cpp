#include "runtime/window/gbk_conversion.h"

#include <gtest/gtest.h>

#include "window_testing.h"

namespace {

TEST(GbkConversion, RoundTripsWhatGbkHolds) {
  const char* cases[] = {"plain ASCII ~!@#", "中文与ASCII混排：全角　空格", "€ and ￥", "\t\r\n", "éΩЖ"};
  for (const char* utf8 : cases) {
    SCOPED_TRACE(utf8);
    const std::string gbk = Gbk(utf8);
    const QString unicode = GbkToQString(gbk);
    EXPECT_EQ(unicode, QString::fromUtf8(utf8));
    EXPECT_EQ(QStringToGbk(unicode).Str(), gbk);
  }
}

TEST(GbkConversion, CharactersGbkCannotHoldBecomeOneQuestionMarkEach) {
  struct Case {
    QString unicode;
    const char* gbk;
  } cases[] = {
      {QString::fromUtf8("a😀b"), "a?b"},                 // outside the basic plane: two units, one "?"
      {QString::fromUtf8("ไทย中"), "???\xD6\xD0"},        // Thai, then a character GBK holds
      {QString(QChar(0xD800)) + "x", "?x"},               // an unpaired surrogate
      {QString::fromUtf8("x😀"), "x?"},                   // at the very end
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unicode.toStdString());
    EXPECT_EQ(QStringToGbk(c.unicode).Str(), c.gbk);
  }
}

TEST(GbkConversion, EmptyGivesTheAbsentText) {
  EXPECT_TRUE(QStringToGbk(QString()).IsAbsent());
  EXPECT_TRUE(QStringToGbk(QStringLiteral("")).IsAbsent());
  EXPECT_TRUE(GbkToQString("").isEmpty());
}

TEST(GbkConversion, BytesThatAreNoGbkShowAsReplacementCharacters) {
  // A lone lead byte at the end, and a lead byte followed by a byte that no
  // GBK character has second: the byte goes, the rest stays.
  EXPECT_EQ(GbkToQString("ab\xD6"), QString::fromUtf8("ab\uFFFD"));
  EXPECT_EQ(GbkToQString("\xFF" "a"), QString::fromUtf8("\uFFFD" "a"));
}

}  // namespace
