#pragma once
// The dialog behind ShowMessageBox: an icon, the text, and a row of buttons
// chosen by the style flags. A text that does not fit the screen scrolls
// inside the box, which never grows taller than the screen.

#include <QDialog>
#include <QDialogButtonBox>
#include <QStyle>
#include <vector>

class QPlainTextEdit;

// Shows a MessageBoxDialog on the window's thread, waiting there for the
// answer when called on another thread.
int AskWithMessageBox(const QString& title, const QString& text, int style);

class MessageBoxDialog : public QDialog {
  Q_OBJECT

 public:
  MessageBoxDialog(const QString& title, const QString& text, int style);

  // The answer code of the button that closed the box; that of OK until then.
  int Answer() const { return answer_; }

  QString ShownText() const;
  // QStyle::SP_CustomBase when the box has no icon.
  QStyle::StandardPixmap Icon() const { return icon_; }
  QList<QAbstractButton*> Buttons() const;
  QPlainTextEdit* TextView() const { return view_; }

 public slots:
  void reject() override;

 private:
  struct Choice {
    QDialogButtonBox::StandardButton button;
    int answer;
  };

  void Close(int answer);
  void FitToScreen(const QString& text);

  std::vector<Choice> choices_;
  int escapeAnswer_ = -1;  // no escape when negative
  int answer_ = 0;
  QStyle::StandardPixmap icon_ = QStyle::SP_CustomBase;
  QPlainTextEdit* view_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};
