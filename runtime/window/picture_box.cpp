#include "runtime/window/picture_box.h"

#include <QPainter>
#include <cstring>

#include "runtime/window/event_delivery.h"

std::shared_ptr<const ScreenPicture> ToScreenPicture(const Picture& picture) {
  auto screen = std::make_shared<ScreenPicture>();
  for (const PictureFrame& frame : picture.frames) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() != static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) {
      return nullptr;
    }
    // Decoded pixels are 0xAARRGGBB with straight alpha: the toolkit's ARGB32.
    QImage image(frame.width, frame.height, QImage::Format_ARGB32);
    if (image.isNull()) return nullptr;
    for (int y = 0; y < frame.height; ++y) {
      std::memcpy(image.scanLine(y), frame.pixels.data() + static_cast<std::size_t>(y) * frame.width,
                  static_cast<std::size_t>(frame.width) * sizeof(std::uint32_t));
    }
    screen->frames.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const int delay = frame.delayHundredths > 0 ? frame.delayHundredths : kDefaultFrameDelayHundredths;
    screen->delaysMs.push_back(delay * 10);
  }
  if (screen->frames.empty()) return nullptr;
  return screen;
}

PictureBox::PictureBox(const ControlEvents* events, QWidget* parent) : QFrame(parent), events_(events) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  animation_.setSingleShot(true);
  connect(&animation_, &QTimer::timeout, this, [this] { ShowNextFrame(); });
}

void PictureBox::SetPicture(std::shared_ptr<const ScreenPicture> picture) {
  animation_.stop();
  picture_ = std::move(picture);
  frame_ = 0;
  if (picture_ && picture_->frames.size() > 1) animation_.start(picture_->delaysMs[0]);
  update();
}

void PictureBox::ShowNextFrame() {
  if (!picture_) return;
  frame_ = (frame_ + 1) % picture_->frames.size();
  animation_.start(picture_->delaysMs[frame_]);
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = contentsRect();
  painter.fillRect(client, palette().color(QPalette::Button));
  if (picture_) {
    // Smooth scaling only where the screen has the colours for it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, depth() > 16);
    painter.drawImage(client, picture_->frames[frame_]);
  }
  drawFrame(&painter);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  DeliverLeftButtonPressed(events_, *event, contentsRect().topLeft());
  QFrame::mousePressEvent(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  DeliverLeftButtonPressed(events_, *event, contentsRect().topLeft());
  QFrame::mouseDoubleClickEvent(event);
}
