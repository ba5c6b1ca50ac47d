#include "runtime/window/form_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "runtime/window/gbk_conversion.h"
#include "runtime/window/message_loop.h"
#include "runtime/window/window_registry.h"

namespace {

Qt::WindowFlags FrameFlags(const WindowForm& form) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  if (form.minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
  if (form.maximiseBox) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace

FormWindow::FormWindow(const WindowForm& form) : form_(form) {
  setWindowFlags(FrameFlags(form));
  setWindowTitle(GbkToQString(form.caption));
  setObjectName(GbkToQString(form.name));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  setAutoFillBackground(true);
}

void FormWindow::AddControl(QWidget* control, const ControlForm& form) {
  controls_.push_back({control, &form});
  control->installEventFilter(this);
}

void FormWindow::PlaceCentred() {
  QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  frameKnown_ = !frame.isNull();
  if (!frameKnown_) frame = kClassicFrame;
  const QSize client(form_.outerWidth - frame.left() - frame.right(),
                     form_.outerHeight - frame.top() - frame.bottom());
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int left = screen.x() + (screen.width() - form_.outerWidth) / 2;
  const int top = screen.y() + (screen.height() - form_.outerHeight) / 2;
  setFixedSize(client);
  setGeometry(QRect(QPoint(left + frame.left(), top + frame.top()), client));
}

bool FormWindow::TakesFocus(const Placed& control) const {
  const bool focusable = control.form->kind == ControlKind::EditBox || control.form->kind == ControlKind::PushButton;
  return focusable && control.form->tabStop && control.widget->isVisibleTo(this) && control.widget->isEnabled();
}

QWidget* FormWindow::FirstFocusControl() const {
  const Placed* chosen = nullptr;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (TakesFocus(*it) && (!chosen || it->form->tabOrder < chosen->form->tabOrder)) chosen = &*it;
  }
  return chosen ? chosen->widget : nullptr;
}

void FormWindow::GiveFocusOnActivation() {
  QWidget* target = remembered_;
  remembered_ = nullptr;
  if (!target || !isAncestorOf(target) || !target->isEnabled() || !target->isVisibleTo(this)) {
    target = FirstFocusControl();
  }
  if (target) target->setFocus(Qt::ActiveWindowFocusReason);
}

void FormWindow::RememberFocusOnDeactivation() {
  QWidget* focused = focusWidget();
  remembered_ = focused && isAncestorOf(focused) ? focused : nullptr;
}

bool FormWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      // Ahead of the toolkit's own choice, which would be the first control
      // of the TAB chain.
      GiveFocusOnActivation();
      PlaceOnceTheFrameIsKnown();
      break;
    case QEvent::WindowDeactivate:
      RememberFocusOnDeactivation();
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
      PlaceOnceTheFrameIsKnown();
      break;
    default:
      break;
  }
  // May delete the window (a deferred delete): nothing of it is used after.
  return QWidget::event(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  // A click into the inactive window activates it, and the clicked control
  // keeps the focus: the activation must not hand it to the remembered or
  // first control after the click. Where the window system reports the
  // activation only after the press, the press names the control to focus.
  if (event->type() == QEvent::MouseButtonPress && !isActiveWindow()) {
    auto* control = static_cast<QWidget*>(watched);
    if ((control->focusPolicy() & Qt::ClickFocus) && control->isEnabled()) remembered_ = control;
  }
  return QWidget::eventFilter(watched, event);
}

// Some window systems tell the frame only once the window is on screen.
void FormWindow::PlaceOnceTheFrameIsKnown() {
  if (!frameKnown_ && isVisible() && windowHandle() && !windowHandle()->frameMargins().isNull()) PlaceCentred();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  DeregisterWindow(this);
  deleteLater();
  if (!AnyWindowLoaded()) EndMessageLoopIfStarted();
}
