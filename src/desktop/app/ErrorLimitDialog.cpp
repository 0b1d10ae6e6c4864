#include "desktop/app/ErrorLimitDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "desktop/app/AppTexts.h"
#include "desktop/common/Dialogs.h"
#include "engine/TestRun.h"

namespace ledgerly::gui {

ErrorLimitDialog::ErrorLimitDialog(int current_limit, QWidget* parent)
    : QDialog(parent), txt_error_count_(new QLineEdit(this)), limit_(current_limit) {
  setObjectName(QStringLiteral("frmSetErrors"));
  setWindowTitle(QStringLiteral("Set Error Limit"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* message = new QLabel(
      ForDisplay(QStringLiteral("Set the number of error(s) allowed from\r\n1 through 25,000 "
                                "before testing is stopped")),
      this);
  message->setObjectName(QStringLiteral("txtMessage"));
  message->setFrameShape(QFrame::StyledPanel);
  message->setMargin(8);
  message->setAlignment(Qt::AlignCenter);

  txt_error_count_->setObjectName(QStringLiteral("txtErrorCount"));
  txt_error_count_->setText(QString::number(current_limit));
  txt_error_count_->setAlignment(Qt::AlignCenter);
  txt_error_count_->installEventFilter(this);
  // Typed keys are filtered below; this keeps pasted text to digits as well.
  txt_error_count_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]*")), txt_error_count_));

  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(ok, &QPushButton::clicked, this, &ErrorLimitDialog::cmdOK_Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message);
  layout->addWidget(txt_error_count_);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

std::optional<int> ErrorLimitDialog::ParseEntry(const QString& entry) {
  const QString digits = entry.trimmed();
  if (digits.isEmpty()) return std::nullopt;
  long long value = 0;
  for (const QChar c : digits) {
    if (!c.isDigit()) return std::nullopt;
    value = value * 10 + c.digitValue();
    if (value > kMaxErrorLimit) return std::nullopt;  // also ends an endless row of digits
  }
  if (value == 0) return std::nullopt;
  return static_cast<int>(value);
}

// Only the digits and Backspace are typed into the entry; keys that type
// nothing (arrows, Tab, Enter) keep their usual work.
bool ErrorLimitDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txt_error_count_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool types_text = !text.isEmpty() && text.at(0).isPrint();
    const bool digit =
        text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
    if (types_text && !digit) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ErrorLimitDialog::cmdOK_Click() {
  const std::optional<int> value = ParseEntry(txt_error_count_->text());
  if (!value) {
    MessageBox::Show(this, QMessageBox::Warning, QStringLiteral("Error Limit"),
                     QStringLiteral("The error limit can not be zero or blank or greater than "
                                    "25,000."));
    txt_error_count_->setFocus();
    return;
  }
  limit_ = *value;
  accept();
}

}  // namespace ledgerly::gui
