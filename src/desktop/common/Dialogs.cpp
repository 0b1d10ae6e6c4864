#include "desktop/common/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>

namespace ledgerly::gui {
QString ForDisplay(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

bool MessageBox::scripted_ = false;
std::deque<QMessageBox::StandardButton> MessageBox::answers_;

QMessageBox::StandardButton MessageBox::Show(QWidget* parent, QMessageBox::Icon icon,
                                             const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons) {
  shown().append({icon, title, text, buttons});
  if (scripted_) {
    if (!answers_.empty()) {
      const auto answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
  }
  NormalPointer pointer;
  QMessageBox box(icon, title, ForDisplay(text), buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setScripted(bool scripted) {
  scripted_ = scripted;
}
void MessageBox::setNextAnswer(QMessageBox::StandardButton answer) {
  answers_.push_back(answer);
}
QList<MessageBox::Shown>& MessageBox::shown() {
  static QList<Shown> list;
  return list;
}
void MessageBox::reset() {
  answers_.clear();
  shown().clear();
}

bool FileDialog::scripted_ = false;
std::deque<QString> FileDialog::answers_;

std::optional<QString> FileDialog::Scripted(const QString& title) {
  titles().append(title);
  if (answers_.empty()) return std::nullopt;
  const QString answer = answers_.front();
  answers_.pop_front();
  if (answer.isNull()) return std::nullopt;
  return answer;
}

std::optional<QString> FileDialog::getOpenFileName(QWidget* parent, const QString& title,
                                                   const QString& filter) {
  if (scripted_) return Scripted(title);
  titles().append(title);
  NormalPointer pointer;
  static QString last_folder;
  const QString file = QFileDialog::getOpenFileName(parent, title, last_folder, filter, nullptr,
                                                    QFileDialog::ReadOnly);
  if (file.isEmpty()) return std::nullopt;
  last_folder = QFileInfo(file).absolutePath();
  return file;
}

std::optional<QString> FileDialog::getSaveFileName(QWidget* parent, const QString& title,
                                                   const QString& folder, const QString& filter) {
  if (scripted_) return Scripted(title);
  titles().append(title);
  NormalPointer pointer;
  const QString file = QFileDialog::getSaveFileName(parent, title, folder, filter);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

void FileDialog::setScripted(bool scripted) {
  scripted_ = scripted;
}
void FileDialog::setNextFileName(const QString& file_name) {
  answers_.push_back(file_name);
}
void FileDialog::setNextCancel() {
  answers_.push_back(QString());
}
QList<QString>& FileDialog::titles() {
  static QList<QString> list;
  return list;
}
void FileDialog::reset() {
  answers_.clear();
  titles().clear();
}

bool FontDialog::scripted_ = false;
std::deque<QFont> FontDialog::answers_;

std::optional<QFont> FontDialog::getFont(QWidget* parent, const QString& title,
                                         const QFont& initial) {
  if (scripted_) {
    if (answers_.empty()) return std::nullopt;
    QFont font = answers_.front();
    answers_.pop_front();
    return font;
  }
  NormalPointer pointer;
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent, title);
  if (!ok) return std::nullopt;
  return font;
}

void FontDialog::setScripted(bool scripted) {
  scripted_ = scripted;
}
void FontDialog::setNextFont(const QFont& font) {
  answers_.push_back(font);
}
void FontDialog::reset() {
  answers_.clear();
}

NormalPointer::NormalPointer() {
  if (QApplication::overrideCursor()) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    pushed_ = true;
  }
}

NormalPointer::~NormalPointer() {
  if (pushed_) QApplication::restoreOverrideCursor();
}

BusyPointer::BusyPointer() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer() {
  QApplication::restoreOverrideCursor();
}

}  // namespace ledgerly::gui
