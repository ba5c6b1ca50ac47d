#include <QWidget>
#include <algorithm>
#include <set>

#include "runtime/window/event_delivery.h"
#include "runtime/window/form_controls.h"
#include "runtime/window/form_window.h"
#include "runtime/window/gbk_conversion.h"
#include "runtime/window/program.h"
#include "runtime/window/window_errors.h"
#include "runtime/window/window_registry.h"
#include "runtime/window/window_thread.h"

namespace {

const ControlEvents* EventsOf(const WindowForm& form, std::string_view control) {
  auto it = std::find_if(form.events.begin(), form.events.end(),
                         [&](const ControlEvents& events) { return events.control == control; });
  return it == form.events.end() ? nullptr : &*it;
}

bool IsValidForm(const WindowForm& form) {
  if (form.name.empty() || form.outerWidth <= 0 || form.outerHeight <= 0) return false;
  std::set<std::string_view> names;
  for (const ControlForm& control : form.controls) {
    if (control.name.empty() || control.width < 0 || control.height < 0 || !names.insert(control.name).second) {
      return false;
    }
  }
  return std::all_of(form.events.begin(), form.events.end(),
                     [&](const ControlEvents& events) { return names.count(events.control) > 0; });
}

// The TAB key visits the TAB stops by tab order, in control order among
// equals.
void ChainTabStops(const WindowForm& form, const std::vector<QWidget*>& widgets) {
  std::vector<std::size_t> stops;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (widgets[i]->focusPolicy() & Qt::TabFocus) stops.push_back(i);
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [&](std::size_t a, std::size_t b) { return form.controls[a].tabOrder < form.controls[b].tabOrder; });
  for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(widgets[stops[i - 1]], widgets[stops[i]]);
}

}  // namespace

void LoadStartWindow(const WindowForm& form) {
  if (!IsWindowThread() || !IsValidForm(form) || IsWindowLoaded(form.name)) RaiseWindowLoadFailure();

  auto* window = new FormWindow(form);
  LoadedWindow loaded{&form, window, {}};
  std::vector<QWidget*> widgets;
  for (const ControlForm& control : form.controls) {
    QWidget* widget = CreateControl(control, EventsOf(form, control.name), window);
    auto entry = std::make_shared<ControlEntry>(control, GbkToQString(control.text));
    entry->SetWidget(widget);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      QObject::connect(line, &QLineEdit::textChanged, line, [entry](const QString& text) { entry->SetText(text); });
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      QObject::connect(box, &QPlainTextEdit::textChanged, box, [entry, box] { entry->SetText(box->toPlainText()); });
    }
    window->AddControl(widget, control);
    widgets.push_back(widget);
    loaded.controls.push_back(std::move(entry));
  }
  ChainTabStops(form, widgets);
  RegisterWindow(std::move(loaded));

  window->winId();  // the frame margins are known once the window exists
  window->PlaceCentred();
  // Chosen before the window shows, so that the first activation finds it.
  if (QWidget* first = window->FirstFocusControl()) first->setFocus(Qt::OtherFocusReason);
  window->show();
  DeliverEvent(form.created);
}
