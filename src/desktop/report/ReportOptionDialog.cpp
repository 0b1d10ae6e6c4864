#include "desktop/report/ReportOptionDialog.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "desktop/report/ReportSettings.h"

namespace ledgerly::gui {

bool ReportOptionDialog::scripted_ = false;
std::deque<std::optional<int>> ReportOptionDialog::answers_;
int ReportOptionDialog::times_shown_ = 0;

ReportOptionDialog::ReportOptionDialog(ReportSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      text_(new QRadioButton(QStringLiteral("&Text"), this)),
      html_(new QRadioButton(QStringLiteral("&HTML"), this)) {
  setObjectName(QStringLiteral("frmReportOption"));
  setWindowTitle(QStringLiteral("Report Option"));
  text_->setObjectName(QStringLiteral("optReport0"));
  html_->setObjectName(QStringLiteral("optReport1"));
  // Text until HTML has been chosen once.
  (settings_.report_choice == kTextReport ? text_ : html_)->setChecked(true);

  auto* frame = new QGroupBox(this);
  auto* options = new QVBoxLayout(frame);
  options->addWidget(text_);
  options->addWidget(html_);

  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(ok, &QPushButton::clicked, this, &ReportOptionDialog::OKButton_Click);
  connect(cancel, &QPushButton::clicked, this, &ReportOptionDialog::CancelButton_Click);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void ReportOptionDialog::OKButton_Click() {
  if (text_->isChecked()) {
    settings_.report_choice = kTextReport;
  } else if (html_->isChecked()) {
    settings_.report_choice = kHtmlReport;
  }
  settings_.dialog_cancelled = false;
  accept();
}

void ReportOptionDialog::CancelButton_Click() {
  settings_.dialog_cancelled = true;
  reject();
}

bool ReportOptionDialog::Ask(QWidget* parent, ReportSettings& settings) {
  ++times_shown_;
  if (scripted_) {
    std::optional<int> answer;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    settings.dialog_cancelled = !answer;
    if (answer) settings.report_choice = *answer;
    return answer.has_value();
  }
  ReportOptionDialog dialog(settings, parent);
  // Closing the dialog's window is a Cancel.
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted) settings.dialog_cancelled = true;
  return accepted;
}

void ReportOptionDialog::setScripted(bool scripted) {
  scripted_ = scripted;
}
void ReportOptionDialog::setNextAnswer(std::optional<int> report_choice) {
  answers_.push_back(report_choice);
}
int ReportOptionDialog::timesShown() {
  return times_shown_;
}
void ReportOptionDialog::reset() {
  answers_.clear();
  times_shown_ = 0;
}

}  // namespace ledgerly::gui
