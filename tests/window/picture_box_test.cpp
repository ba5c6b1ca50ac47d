#include "runtime/window/picture_box.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTest>
#include <thread>

#include "runtime/window/control_services.h"
#include "runtime/window/program.h"
#include "window_testing.h"

namespace {

constexpr ControlForm kControls[] = {
    {.name = "picture", .kind = ControlKind::PictureBox, .left = 19, .top = 64, .width = 85, .height = 34,
     .text = ""},
};
const WindowForm kForm{.name = "pictures", .caption = "pictures", .outerWidth = 150, .outerHeight = 150,
                       .controls = kControls, .events = {}};
constexpr Control kPicture{"pictures", "picture"};

Picture MakePicture(int width, int height, std::vector<std::uint32_t> pixels, int delay = 0) {
  Picture picture;
  picture.format = PictureFormat::Png;
  picture.frames.push_back({width, height, std::move(pixels), delay});
  return picture;
}

Bytes Png(const QImage& image) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(encoded.begin(), encoded.end());
}

Bytes Corpus(const char* file) {
  QFile in(QString(KAVORO_CORPUS) + "/" + file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = in.readAll();
  return Bytes(data.begin(), data.end());
}

bool Near(QRgb a, QRgb b, int tolerance = 2) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class PictureBoxTest : public FormTest {
 protected:
  void SetUp() override {
    LoadStartWindow(kForm);
    box_ = dynamic_cast<PictureBox*>(FindControl("pictures", "picture"));
    ASSERT_NE(box_, nullptr);
    background_ = box_->palette().color(QPalette::Button).rgb();
  }
  QImage Shown() { return box_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // The box shows its background inside a black one-pixel border.
  void ExpectEmpty() {
    const QImage shown = Shown();
    for (int y = 1; y < shown.height() - 1; ++y) {
      for (int x = 1; x < shown.width() - 1; ++x) ASSERT_EQ(shown.pixel(x, y), background_) << x << "," << y;
    }
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(shown.width() - 1, shown.height() - 1), qRgb(0, 0, 0));
  }

  PictureBox* box_ = nullptr;
  QRgb background_ = 0;
};

TEST_F(PictureBoxTest, StretchesThePictureOverTheClientAreaInsideTheBorder) {
  // Red, green / blue, white.
  box_->SetPicture(ToScreenPicture(MakePicture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF})));
  const QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(85, 34));
  for (QPoint border : {QPoint(0, 0), QPoint(42, 0), QPoint(84, 33), QPoint(0, 17), QPoint(84, 17)}) {
    EXPECT_EQ(shown.pixel(border), qRgb(0, 0, 0)) << border.x() << "," << border.y();
  }
  EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(83, 1), qRgb(0, 255, 0));
  EXPECT_EQ(shown.pixel(1, 32), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(83, 32), qRgb(255, 255, 255));
  // Smooth scaling blends the colours where they meet.
  const QRgb middle = shown.pixel(42, 8);
  EXPECT_GT(qRed(middle), 40);
  EXPECT_GT(qGreen(middle), 40);
}

TEST_F(PictureBoxTest, AlphaBlendsOverTheBackground) {
  const QColor bg(background_);
  struct Case {
    std::uint32_t pixel;
    QRgb expected;
  } cases[] = {
      {0x00FF0000, background_},
      {0xFF123456, qRgb(0x12, 0x34, 0x56)},
      {0x80FF0000, qRgb((255 * 128 + bg.red() * 127) / 255, bg.green() * 127 / 255, bg.blue() * 127 / 255)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pixel);
    box_->SetPicture(ToScreenPicture(MakePicture(1, 1, {c.pixel})));
    EXPECT_TRUE(Near(Shown().pixel(40, 17), c.expected));
  }
}

TEST_F(PictureBoxTest, AnAnimationShowsEachFrameInTurnAndStartsAgain) {
  Picture animation = MakePicture(1, 1, {0xFFFF0000}, 3);
  animation.frames.push_back({1, 1, {0xFF00FF00}, 3});
  animation.frames.push_back({1, 1, {0xFF0000FF}, 0});  // no delay of its own
  const auto screen = ToScreenPicture(animation);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->delaysMs, (std::vector<int>{30, 30, kDefaultFrameDelayHundredths * 10}));

  box_->SetPicture(screen);
  std::vector<int> seen = {box_->CurrentFrame()};
  QElapsedTimer clock;
  clock.start();
  while (seen.size() < 5 && clock.elapsed() < 5000) {
    QTest::qWait(1);
    if (box_->CurrentFrame() != seen.back()) seen.push_back(box_->CurrentFrame());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1}));
}

TEST_F(PictureBoxTest, FramesThatDoNotMatchTheirSizeAreRefused) {
  EXPECT_EQ(ToScreenPicture(MakePicture(2, 2, {0xFF000000})), nullptr);
  EXPECT_EQ(ToScreenPicture(MakePicture(0, 0, {})), nullptr);
  EXPECT_EQ(ToScreenPicture(Picture{}), nullptr);
}

TEST_F(PictureBoxTest, AWrittenPngIsStretchedAndShowsTheBackgroundWhereTransparent) {
  QImage png(60, 20, QImage::Format_ARGB32);
  png.fill(Qt::transparent);
  QPainter(&png).fillRect(0, 0, 30, 20, QColor(0, 0, 255));
  WriteControlPicture(kPicture, Png(png));
  const QImage shown = Shown();
  EXPECT_EQ(shown.pixel(2, 17), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(80, 17), background_);
  EXPECT_EQ(shown.pixel(84, 17), qRgb(0, 0, 0));
}

TEST_F(PictureBoxTest, BytesThatAreNoPictureLeaveTheBoxEmpty) {
  const Bytes valid = Png(QImage(4, 4, QImage::Format_RGB32));
  const std::string html = "<html><body>Not found</body></html>";
  const std::pair<const char*, Bytes> cases[] = {
      {"an HTML page", Bytes(html.begin(), html.end())},
      {"7 bytes of a PNG", Bytes(valid.begin(), valid.begin() + 7)},
      {"a broken PNG", Bytes(valid.begin(), valid.begin() + 40)},
      {"no bytes", Bytes()},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    WriteControlPicture(kPicture, valid);
    EXPECT_TRUE(box_->HasPicture());
    WriteControlPicture(kPicture, bytes);
    EXPECT_FALSE(box_->HasPicture());
    ExpectEmpty();
  }
}

TEST_F(PictureBoxTest, TwoWritesShowOnlyTheSecond) {
  QImage red(8, 8, QImage::Format_RGB32), green(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  green.fill(Qt::green);
  WriteControlPicture(kPicture, Png(red));
  WriteControlPicture(kPicture, Png(green));
  const QImage shown = Shown();
  for (QPoint at : {QPoint(1, 1), QPoint(42, 17), QPoint(83, 32)}) EXPECT_EQ(shown.pixel(at), qRgb(0, 255, 0));
}

TEST_F(PictureBoxTest, ANewWriteStopsAPlayingAnimation) {
  const Bytes gif = Corpus("gif-test-suite/animated_loop.gif");
  ASSERT_FALSE(gif.empty());
  WriteControlPicture(kPicture, gif);
  EXPECT_EQ(box_->FrameCount(), 4);
  EXPECT_TRUE(box_->Animating());
  WriteControlPicture(kPicture, Png(QImage(4, 4, QImage::Format_RGB32)));
  EXPECT_EQ(box_->FrameCount(), 1);
  EXPECT_FALSE(box_->Animating());
}

TEST_F(PictureBoxTest, AWriteFromAnotherThreadIsShownByTheWindowThread) {
  QImage blue(8, 8, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  const Bytes png = Png(blue);
  std::thread writer([&] {
    WriteControlPicture(kPicture, png);
    WriteControlPicture(kPicture, Bytes());
    WriteControlPicture(kPicture, png);
  });
  writer.join();  // the window's thread is held meanwhile
  EXPECT_FALSE(box_->HasPicture());
  QTRY_VERIFY(box_->HasPicture());
  EXPECT_EQ(Shown().pixel(42, 17), qRgb(0, 0, 255));
}

}  // namespace
