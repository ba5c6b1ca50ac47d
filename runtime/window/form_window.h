#pragma once
// The top-level window of a form: a fixed frame of the form's outer size,
// centred on the screen, and the keyboard-focus rule of the form's controls.

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "runtime/window/form.h"

class FormWindow : public QWidget {
 public:
  explicit FormWindow(const WindowForm& form);

  const WindowForm& Form() const { return form_; }

  // The controls in control order; AddControl in that order.
  void AddControl(QWidget* control, const ControlForm& form);

  // Sizes the client area so that the frame has the form's outer size, and
  // centres the frame on the screen.
  void PlaceCentred();

  // The control that receives the focus when the window does and no control
  // is remembered: the visible, enabled TAB stop with the lowest tab order,
  // the later in control order among equals; null when there is none.
  QWidget* FirstFocusControl() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Placed {
    QWidget* widget;
    const ControlForm* form;
  };

  bool TakesFocus(const Placed& control) const;
  void GiveFocusOnActivation();
  void RememberFocusOnDeactivation();
  void PlaceOnceTheFrameIsKnown();

  const WindowForm& form_;
  std::vector<Placed> controls_;
  QPointer<QWidget> remembered_;
  bool frameKnown_ = false;
};

// The frame that a window system without decorations is taken to draw: a
// 4-pixel border with a 23-pixel caption.
inline constexpr QMargins kClassicFrame{4, 27, 4, 4};
