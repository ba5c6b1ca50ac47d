#include "runtime/window/message_box_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "runtime/window/message_box.h"

namespace {

struct ButtonSet {
  std::vector<std::pair<QDialogButtonBox::StandardButton, int>> buttons;
  int escapeAnswer;  // -1: Esc and the close box do nothing
};

ButtonSet ButtonsOfStyle(int style) {
  using B = QDialogButtonBox;
  switch (style & 0xF) {
    case kMessageBoxOkCancel:
      return {{{B::Ok, kAnsweredOk}, {B::Cancel, kAnsweredCancel}}, kAnsweredCancel};
    case kMessageBoxAbortRetryIgnore:
      return {{{B::Abort, kAnsweredAbort}, {B::Retry, kAnsweredRetry}, {B::Ignore, kAnsweredIgnore}}, -1};
    case kMessageBoxYesNoCancel:
      return {{{B::Yes, kAnsweredYes}, {B::No, kAnsweredNo}, {B::Cancel, kAnsweredCancel}}, kAnsweredCancel};
    case kMessageBoxYesNo:
      return {{{B::Yes, kAnsweredYes}, {B::No, kAnsweredNo}}, -1};
    case kMessageBoxRetryCancel:
      return {{{B::Retry, kAnsweredRetry}, {B::Cancel, kAnsweredCancel}}, kAnsweredCancel};
    default:
      return {{{B::Ok, kAnsweredOk}}, kAnsweredOk};
  }
}

QStyle::StandardPixmap IconOfStyle(int style) {
  switch (style & 0xF0) {
    case kMessageBoxIconStop:
      return QStyle::SP_MessageBoxCritical;
    case kMessageBoxIconQuestion:
      return QStyle::SP_MessageBoxQuestion;
    case kMessageBoxIconExclamation:
      return QStyle::SP_MessageBoxWarning;
    case kMessageBoxIconInformation:
      return QStyle::SP_MessageBoxInformation;
    default:
      return QStyle::SP_CustomBase;
  }
}

// Laying out a whole page just to size the box would take long; a text this
// long fills the box's largest size anyway.
constexpr qsizetype kMeasuredTextLimit = 64 * 1024;

}  // namespace

MessageBoxDialog::MessageBoxDialog(const QString& title, const QString& text, int style)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      icon_(IconOfStyle(style)) {
  setWindowTitle(title);
  setModal(true);

  auto* row = new QHBoxLayout;
  if (icon_ != QStyle::SP_CustomBase) {
    auto* icon = new QLabel;
    const int side = QWidget::style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(QWidget::style()->standardIcon(icon_, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon, 0, Qt::AlignTop);
  }
  view_ = new QPlainTextEdit;
  view_->setReadOnly(true);
  view_->setFrameShape(QFrame::NoFrame);
  view_->setFocusPolicy(Qt::NoFocus);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  view_->viewport()->setAutoFillBackground(false);
  view_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
  view_->setPlainText(text);
  row->addWidget(view_, 1);

  const ButtonSet set = ButtonsOfStyle(style);
  escapeAnswer_ = set.escapeAnswer;
  buttons_ = new QDialogButtonBox;
  buttons_->setCenterButtons(true);
  for (const auto& [button, answer] : set.buttons) {
    choices_.push_back({button, answer});
    QPushButton* push = buttons_->addButton(button);
    push->setIcon(QIcon());  // plain buttons, as the system's own boxes have
    connect(push, &QPushButton::clicked, this, [this, answer = answer] { Close(answer); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row, 1);
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Once the buttons belong to the box, so that the focus stays on them.
  const std::size_t defaultIndex = std::min<std::size_t>((style >> 8) & 0xF, choices_.size() - 1);
  QPushButton* defaultButton = buttons_->button(choices_[defaultIndex].button);
  defaultButton->setDefault(true);
  defaultButton->setFocus();
  answer_ = escapeAnswer_ >= 0 ? escapeAnswer_ : choices_[defaultIndex].answer;

  // As in the system's own boxes, Ctrl+C copies the text.
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, [this] {
    const QString selected = view_->textCursor().selectedText();
    QGuiApplication::clipboard()->setText(selected.isEmpty() ? ShownText() : selected);
  });

  FitToScreen(text);
}

void MessageBoxDialog::FitToScreen(const QString& text) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QFontMetrics metrics(view_->font());
  const int widest = std::max(screen.width() * 3 / 5, 200);
  // Room for the caption, the margins and the buttons.
  const int tallest = std::max(screen.height() - buttons_->sizeHint().height() - 120, 3 * metrics.lineSpacing());

  QSize needed(widest, tallest);
  if (text.size() <= kMeasuredTextLimit) {
    needed = metrics.boundingRect(QRect(0, 0, widest, 1 << 24), Qt::TextWordWrap | Qt::TextWrapAnywhere, text).size();
  }
  const int margin = 2 * static_cast<int>(view_->document()->documentMargin()) + 2;
  int width = std::clamp(needed.width() + margin, 160, widest);
  int height = std::clamp(needed.height() + margin, metrics.lineSpacing() + margin, tallest);
  if (needed.height() + margin > tallest) {
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    width = std::min(width + view_->verticalScrollBar()->sizeHint().width(), widest);
  } else {
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  view_->setFixedSize(width, height);
}

QString MessageBoxDialog::ShownText() const { return view_->toPlainText(); }

QList<QAbstractButton*> MessageBoxDialog::Buttons() const { return buttons_->buttons(); }

void MessageBoxDialog::Close(int answer) {
  answer_ = answer;
  done(QDialog::Accepted);
}

void MessageBoxDialog::reject() {
  if (escapeAnswer_ >= 0) Close(escapeAnswer_);
}
