#pragma once
// What the control services keep for one control: its widget, the text it
// holds (readable from any thread without asking the window's thread), and
// the numbering of writes that keeps them in the order they were made.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "runtime/window/form.h"

class ControlEntry {
 public:
  ControlEntry(const ControlForm& form, QString text) : form_(form), text_(std::move(text)) {}

  const ControlForm& Form() const { return form_; }
  QWidget* Widget() const { return widget_; }
  void SetWidget(QWidget* widget) { widget_ = widget; }

  QString Text() const;
  void SetText(const QString& text);

  // Numbers a write; the write keeps the text it sets, if any, as the
  // control's text at once.
  std::uint64_t IssueWrite();
  std::uint64_t IssueWrite(const QString& text);

  // On the window's thread, before a write takes effect: false when a later
  // write has taken effect already, so that this one must not.
  bool Admit(std::uint64_t write);

 private:
  const ControlForm& form_;
  QWidget* widget_ = nullptr;
  mutable std::mutex mutex_;
  QString text_;
  std::uint64_t issued_ = 0;
  std::uint64_t admitted_ = 0;
};

// Makes `change` take effect on the window's thread as write number `write`
// of the control: at once on the window's thread, otherwise queued to it.
// Must be called while the control's window is registered (WithControl).
void ChangeControl(const std::shared_ptr<ControlEntry>& entry, std::uint64_t write,
                   std::function<void(QWidget*)> change);
