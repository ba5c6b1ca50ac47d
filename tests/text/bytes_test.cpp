#include <gtest/gtest.h>

#include "runtime/text/text.h"

namespace {

TEST(Bytes, LeftTakesAtMostTheLength) {
  const Bytes bytes = {1, 0, 3};
  EXPECT_EQ(BytesLeft(bytes, 2), (Bytes{1, 0}));
  EXPECT_EQ(BytesLeft(bytes, 9), bytes);
  EXPECT_TRUE(BytesLeft(bytes, 0).empty());
  EXPECT_TRUE(BytesLeft(bytes, -1).empty());
}

TEST(Bytes, BlankIsZeroBytes) {
  EXPECT_EQ(BlankBytes(3), (Bytes{0, 0, 0}));
  EXPECT_EQ(BytesLength(BlankBytes(1024)), 1024);
  EXPECT_TRUE(BlankBytes(0).empty());
  EXPECT_TRUE(BlankBytes(-4).empty());
}

TEST(Bytes, ConcatKeepsZeroBytes) {
  EXPECT_EQ(ConcatBytes(Bytes{1, 0}, Bytes{}, Bytes{0, 2}), (Bytes{1, 0, 0, 2}));
  EXPECT_TRUE(ConcatBytes(Bytes{}, Bytes{}).empty());
  Bytes grown = {1};
  const std::uint8_t more[] = {0, 2};
  AppendBytes(grown, more, 2);
  EXPECT_EQ(grown, (Bytes{1, 0, 2}));
}

TEST(Bytes, Compare) {
  EXPECT_TRUE(CompareBytes({}, {}));
  EXPECT_TRUE(CompareBytes({1, 0}, {1, 0}));
  EXPECT_FALSE(CompareBytes({1, 0}, {1}));
}

TEST(Bytes, TextConversions) {
  EXPECT_EQ(TextToBytes("a中"), (Bytes{'a', 0xD6, 0xD0}));
  EXPECT_TRUE(TextToBytes("").empty());
  EXPECT_EQ(BytesToText({'a', 0, 'b'}).View(), "a");
  EXPECT_EQ(BytesToText({'1'}).View(), "1");
  EXPECT_TRUE(BytesToText({0, 'b'}).IsAbsent());
  EXPECT_TRUE(BytesToText({}).IsAbsent());
}

}  // namespace
