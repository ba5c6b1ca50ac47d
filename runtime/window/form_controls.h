#pragma once
// The widgets of the four control kinds, with the delivery of their events.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "runtime/window/form.h"

// Creates the widget of a control in `parent`, placed and styled as the form
// says. `events` may be null.
QWidget* CreateControl(const ControlForm& form, const ControlEvents* events, QWidget* parent);

class FormLabel : public QLabel {
 public:
  FormLabel(const ControlEvents* events, QWidget* parent) : QLabel(parent), events_(events) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const ControlEvents* events_;
};

class FormLineEdit : public QLineEdit {
 public:
  FormLineEdit(const ControlEvents* events, QWidget* parent) : QLineEdit(parent), events_(events) {}

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  const ControlEvents* events_;
};

class FormTextEdit : public QPlainTextEdit {
 public:
  FormTextEdit(const ControlEvents* events, QWidget* parent) : QPlainTextEdit(parent), events_(events) {}

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  const ControlEvents* events_;
};
