#pragma once
// The picture box: draws a decoded picture stretched to its client area,
// inside a single-line border, over the button-face background; animations
// play on the window's thread, each frame for its delay.

#include <QFrame>
#include <QImage>
#include <QTimer>
#include <memory>
#include <vector>

#include "runtime/picture/picture.h"
#include "runtime/window/form.h"

// A picture ready to draw: its frames premultiplied for the screen.
struct ScreenPicture {
  std::vector<QImage> frames;
  std::vector<int> delaysMs;
};

// Converts decoded frames; may run on any thread.
std::shared_ptr<const ScreenPicture> ToScreenPicture(const Picture& picture);

class PictureBox : public QFrame {
 public:
  PictureBox(const ControlEvents* events, QWidget* parent);

  // Replaces the picture; null leaves the box without one. A playing
  // animation stops first.
  void SetPicture(std::shared_ptr<const ScreenPicture> picture);
  bool HasPicture() const { return picture_ != nullptr; }
  const std::shared_ptr<const ScreenPicture>& CurrentPicture() const { return picture_; }
  int FrameCount() const { return picture_ ? static_cast<int>(picture_->frames.size()) : 0; }
  int CurrentFrame() const { return static_cast<int>(frame_); }
  bool Animating() const { return animation_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ShowNextFrame();

  const ControlEvents* events_;
  std::shared_ptr<const ScreenPicture> picture_;
  std::size_t frame_ = 0;
  QTimer animation_;
};

// A frame without a delay of its own stays this long.
inline constexpr int kDefaultFrameDelayHundredths = 10;
