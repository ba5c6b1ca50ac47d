#include "runtime/window/message_box.h"

#include <QApplication>
#include <QPointer>
#include <cstdio>

#include "runtime/window/gbk_conversion.h"
#include "runtime/window/message_box_dialog.h"
#include "runtime/window/window_thread.h"

int AskWithMessageBox(const QString& title, const QString& text, int style) {
  QString shownText = text;
  shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (!HasWindowThread()) {
    // No window system yet: the text goes where a user can still read it.
    std::fprintf(stderr, "%s\n%s\n", title.toLocal8Bit().constData(), shownText.toLocal8Bit().constData());
    return kAnsweredOk;
  }
  int answer = kAnsweredOk;
  RunOnWindowThread([&] {
    QPointer<QWidget> active = QApplication::activeWindow();
    MessageBoxDialog box(title, shownText, style);
    box.exec();
    answer = box.Answer();
    // The window that was active before the box becomes active again, as the
    // user expects, whether or not a window manager sees to it.
    if (active && active->isVisible()) active->activateWindow();
  });
  return answer;
}

int ShowMessageBox(const Text& text, int style, const std::optional<Text>& title) {
  return AskWithMessageBox(title ? GbkToQString(title->View()) : QStringLiteral("信息："), GbkToQString(text.View()),
                           style);
}
