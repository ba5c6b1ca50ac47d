#include "runtime/window/control_entry.h"

#include "runtime/window/window_thread.h"

QString ControlEntry::Text() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void ControlEntry::SetText(const QString& text) {
  std::lock_guard lock(mutex_);
  text_ = text;
}

std::uint64_t ControlEntry::IssueWrite() {
  std::lock_guard lock(mutex_);
  return ++issued_;
}

std::uint64_t ControlEntry::IssueWrite(const QString& text) {
  std::lock_guard lock(mutex_);
  text_ = text;
  return ++issued_;
}

bool ControlEntry::Admit(std::uint64_t write) {
  std::lock_guard lock(mutex_);
  if (write < admitted_) return false;
  admitted_ = write;
  return true;
}

void ChangeControl(const std::shared_ptr<ControlEntry>& entry, std::uint64_t write,
                   std::function<void(QWidget*)> change) {
  QWidget* widget = entry->Widget();
  if (!widget) return;
  if (IsWindowThread()) {
    if (entry->Admit(write)) change(widget);
    return;
  }
  // Queued to the widget itself: if it is destroyed first, the change goes
  // with it.
  QMetaObject::invokeMethod(
      widget,
      [entry, write, change = std::move(change)] {
        if (entry->Admit(write)) change(entry->Widget());
      },
      Qt::QueuedConnection);
}
