#include "runtime/window/form_controls.h"

#include <QApplication>
#include <limits>

#include "runtime/window/event_delivery.h"
#include "runtime/window/gbk_conversion.h"
#include "runtime/window/picture_box.h"

namespace {

QFont ControlFont(const ControlForm& form) {
  QFont font = QApplication::font();
  if (form.fontPixelHeight > 0) {
    font.setPixelSize(form.fontPixelHeight);
    font.setWeight(QFont::Normal);
  }
  font.setUnderline(form.underline);
  return font;
}

// White boxes whose selection shows only while they have the focus.
void StyleEditBox(QWidget* box) {
  QPalette colours = box->palette();
  colours.setColor(QPalette::Base, Qt::white);
  for (auto group : {QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Highlight, Qt::white);
    colours.setColor(group, QPalette::HighlightedText, colours.color(group, QPalette::Text));
  }
  box->setPalette(colours);
}

QWidget* CreateEditBox(const ControlForm& form, const ControlEvents* events, QWidget* parent) {
  if (form.multiLine) {
    auto* box = new FormTextEdit(events, parent);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    box->setPlainText(GbkToQString(form.text));
    StyleEditBox(box);
    return box;
  }
  auto* box = new FormLineEdit(events, parent);
  box->setMaxLength(std::numeric_limits<int>::max());
  box->setText(GbkToQString(form.text));
  StyleEditBox(box);
  return box;
}

QWidget* CreateLabel(const ControlForm& form, const ControlEvents* events, QWidget* parent) {
  auto* label = new FormLabel(events, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setWordWrap(false);
  label->setText(GbkToQString(form.text));
  return label;
}

QWidget* CreatePushButton(const ControlForm& form, const ControlEvents* events, QWidget* parent) {
  auto* button = new QPushButton(GbkToQString(form.text), parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  if (events && events->clicked) {
    QObject::connect(button, &QPushButton::clicked, button, [routine = events->clicked] { DeliverEvent(routine); });
  }
  return button;
}

}  // namespace

void FormLabel::mousePressEvent(QMouseEvent* event) {
  DeliverLeftButtonPressed(events_, *event, contentsRect().topLeft());
  QLabel::mousePressEvent(event);
}

// Each press of the button counts, the second of a double click too.
void FormLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  DeliverLeftButtonPressed(events_, *event, contentsRect().topLeft());
  QLabel::mouseDoubleClickEvent(event);
}

void FormLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  DeliverEvent(events_ ? events_->gotFocus : nullptr);
}

void FormTextEdit::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  DeliverEvent(events_ ? events_->gotFocus : nullptr);
}

QWidget* CreateControl(const ControlForm& form, const ControlEvents* events, QWidget* parent) {
  QWidget* control = nullptr;
  switch (form.kind) {
    case ControlKind::Label:
      control = CreateLabel(form, events, parent);
      break;
    case ControlKind::EditBox:
      control = CreateEditBox(form, events, parent);
      break;
    case ControlKind::PictureBox:
      control = new PictureBox(events, parent);
      break;
    case ControlKind::PushButton:
      control = CreatePushButton(form, events, parent);
      break;
  }
  control->setObjectName(GbkToQString(form.name));
  control->setGeometry(form.left, form.top, form.width, form.height);
  control->setFont(ControlFont(form));
  QPalette colours = control->palette();
  colours.setColor(QPalette::WindowText, QColor::fromRgb(form.textColour));
  control->setPalette(colours);
  if (form.handCursor) control->setCursor(Qt::PointingHandCursor);
  const bool focusable = form.kind == ControlKind::EditBox || form.kind == ControlKind::PushButton;
  if (focusable) control->setFocusPolicy(form.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  control->setEnabled(form.enabled);
  control->setVisible(form.visible);
  return control;
}
