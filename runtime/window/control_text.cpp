#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "runtime/window/control_entry.h"
#include "runtime/window/control_services.h"
#include "runtime/window/gbk_conversion.h"
#include "runtime/window/window_registry.h"

namespace {

bool IsMultiLine(const ControlForm& form) { return form.kind == ControlKind::EditBox && form.multiLine; }

// A multi-line box holds its line breaks as LF; the program's texts use
// CR LF, and a lone CR or LF breaks the line too.
QString ToShownText(const QString& text, const ControlForm& form) {
  if (!IsMultiLine(form)) return text;
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QString FromShownText(const QString& shown, const ControlForm& form) {
  if (!IsMultiLine(form)) return shown;
  QString text = shown;
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void SetWidgetText(QWidget* widget, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setText(text);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    box->setPlainText(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(text);
  }
}

}  // namespace

Text ReadControlText(const Control& control) {
  QString shown;
  const ControlForm* form = nullptr;
  WithControl(control, [&](const std::shared_ptr<ControlEntry>& entry) {
    shown = entry->Text();
    form = &entry->Form();
  });
  return form ? QStringToGbk(FromShownText(shown, *form)) : Text();
}

void WriteControlText(const Control& control, const Text& text) {
  const QString unicode = GbkToQString(text.View());
  WithControl(control, [&](const std::shared_ptr<ControlEntry>& entry) {
    if (entry->Form().kind == ControlKind::PictureBox) return;
    const QString shown = ToShownText(unicode, entry->Form());
    ChangeControl(entry, entry->IssueWrite(shown), [shown](QWidget* widget) { SetWidgetText(widget, shown); });
  });
}
