#include "desktop/app/QtRunHost.h"

#include <QCoreApplication>
#include <QFile>

#include "desktop/app/MainWindow.h"
#include "desktop/common/Dialogs.h"
#include "desktop/report/BrowserHandoff.h"

namespace ledgerly::gui {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

MessageAnswer FromQt(QMessageBox::StandardButton answer) {
  switch (answer) {
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}

}  // namespace

int QtRunHost::pump_interval_ms_ = 30;

QtRunHost::QtRunHost(MainWindow& window) : window_(window) {}

std::optional<std::string> QtRunHost::ChooseFile(std::string_view title) {
  // Once Exit was chosen nothing more is asked: the run ends as if cancelled.
  if (stop_requested_) return std::nullopt;
  const auto file = FileDialog::getOpenFileName(
      &window_, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
      QStringLiteral("All Files (*);;Ascii Text Files (*.txt *.asc)"));
  if (!file) return std::nullopt;
  // The run is about to replace ERRORLOG.MDB: the views let go of it first.
  window_.ReleaseResults();
  return QFile::encodeName(*file).toStdString();
}

void QtRunHost::ShowStatus(std::string_view text) {
  window_.ShowRunStatus(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

MessageAnswer QtRunHost::ShowMessage(MessageIcon icon, std::string_view title,
                                     std::string_view text, MessageButtons buttons) {
  if (stop_requested_) {
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  return FromQt(MessageBox::Show(
      &window_, ToQt(icon), QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), ToQt(buttons)));
}

void QtRunHost::Progress(const RunProgress& progress) {
  // Shown when the window next gets to paint, not for every record.
  pending_progress_ = progress;
}

bool QtRunHost::KeepResponsive() {
  if (!since_pump_.isValid() || since_pump_.elapsed() >= pump_interval_ms_) {
    if (pending_progress_) window_.ShowRunProgress(*pending_progress_);
    QCoreApplication::processEvents();
    since_pump_.start();
  }
  return stop_requested_;
}

void QtRunHost::FileStarted(std::string_view path) {
  pending_progress_.reset();
  window_.RunFileStarted(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
  since_pump_.invalidate();
}

void QtRunHost::OpenFilingService() {
  gui::OpenFilingService(&window_, window_.DataFolder(), DesktopBrowser(), &MessageBox::Show);
}

}  // namespace ledgerly::gui
