// The program itself on a real X server: its window appears with the Chinese
// texts drawn as glyphs, and closing it ends the process with status 0.

#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

#include "x_session.h"

namespace {

using namespace std::chrono_literals;

// The dark pixels of one character cell, as a set of positions.
using Ink = std::set<std::pair<int, int>>;

// Splits the dark pixels inside `area` into `count` equal cells across the
// inked width. Rows that are dark all across (an underline) are left out.
std::vector<Ink> CharacterCells(const QImage& image, QRect area, int count) {
  auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  std::vector<int> rows;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    int inked = 0;
    for (int x = area.left(); x <= area.right(); ++x) inked += dark(x, y);
    if (inked > 0 && inked < area.width() / 2) rows.push_back(y);
  }
  int left = area.right(), right = area.left();
  for (int y : rows) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (dark(x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  std::vector<Ink> cells(static_cast<std::size_t>(count));
  if (right <= left) return cells;
  const double width = double(right - left + 1) / count;
  for (int y : rows) {
    for (int x = left; x <= right; ++x) {
      if (!dark(x, y)) continue;
      const auto cell = std::min(count - 1, int((x - left) / width));
      cells[static_cast<std::size_t>(cell)].insert({int(x - left - cell * width), y});
    }
  }
  return cells;
}

// A font without the characters draws the same empty box for each; real
// glyphs differ from one character to the next.
::testing::AssertionResult HoldsDistinctGlyphs(const QImage& image, QRect area, int count) {
  const std::vector<Ink> cells = CharacterCells(image, area, count);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].size() < 8) return ::testing::AssertionFailure() << "character " << i << " has no ink";
    for (std::size_t j = 0; j < i; ++j) {
      if (cells[i] == cells[j]) return ::testing::AssertionFailure() << "characters " << j << " and " << i << " alike";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(KavoroOnAnXServer, ShowsItsWindowWithChineseGlyphsAndEndsWith0WhenClosed) {
  auto session = XSession::Start();
  ASSERT_TRUE(session) << "Xvfb did not start";
  const pid_t program = session->Launch({KAVORO_PROGRAM});
  ASSERT_GT(program, 0);
  const auto window = session->FindWindow("kavoro取下载地址", 30s);
  ASSERT_TRUE(window) << "no window titled kavoro取下载地址";

  // Without a window manager there is no frame: the client area alone.
  const std::string command = "import -display " + session->Display() + " -window " + std::to_string(*window) +
                              " " + KAVORO_SCREENSHOT;
  QImage shot;
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::this_thread::sleep_for(100ms);
    if (std::system(command.c_str()) != 0 || !shot.load(KAVORO_SCREENSHOT)) continue;
    if (HoldsDistinctGlyphs(shot, QRect(16, 128, 192, 40).adjusted(6, 6, -6, -6), 6)) break;
  }
  ASSERT_EQ(shot.size(), QSize(234, 304));
  EXPECT_TRUE(HoldsDistinctGlyphs(shot, QRect(16, 128, 192, 40).adjusted(6, 6, -6, -6), 6)) << "获取下载地址";
  EXPECT_TRUE(HoldsDistinctGlyphs(shot, QRect(20, 99, 68, 19), 5)) << "刷新验证码";
  EXPECT_TRUE(HoldsDistinctGlyphs(shot, QRect(80, 40, 60, 16), 5)) << "什么是下载";

  session->CloseWindow(*window);
  EXPECT_EQ(WaitForExit(program, 30s), 0);
}

}  // namespace
