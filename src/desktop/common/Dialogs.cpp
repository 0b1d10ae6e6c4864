#include "desktop/common/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QStandardPaths>

namespace ledgerly::gui {
namespace {

constexpr int kLeastFontSize = 8;
constexpr int kMostFontSize = 20;

// Qt's font dialog has no size range of its own: its size box takes only the
// range and its size list hides every other size, also after a family change
// refills it.
void OfferSizesOnly(QFontDialog& dialog, int least, int most) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    if (qobject_cast<const QIntValidator*>(edit->validator())) {
      edit->setValidator(new QIntValidator(least, most, edit));
    }
  }
  for (QListView* list : dialog.findChildren<QListView*>()) {
    QAbstractItemModel* model = list->model();
    bool sizes = model && model->rowCount() > 0;
    for (int row = 0; sizes && row < model->rowCount(); ++row) {
      model->index(row, 0).data().toString().toInt(&sizes);
    }
    if (!sizes) continue;
    const auto hide_others = [list, model, least, most] {
      for (int row = 0; row < model->rowCount(); ++row) {
        const int size = model->index(row, 0).data().toString().toInt();
        list->setRowHidden(row, size < least || size > most);
      }
    };
    QObject::connect(model, &QAbstractItemModel::modelReset, list, hide_others);
    hide_others();
  }
}

}  // namespace

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
QString FileDialog::last_folder_;

std::optional<QString> FileDialog::Scripted() {
  if (answers_.empty()) return std::nullopt;
  const QString answer = answers_.front();
  answers_.pop_front();
  if (answer.isNull()) return std::nullopt;
  return answer;
}

std::optional<QString> FileDialog::Chosen(const QString& title, std::optional<QString> file) {
  titles().append(title);
  if (!file || file->isEmpty()) return std::nullopt;
  last_folder_ = QFileInfo(*file).absolutePath();
  return file;
}

QString FileDialog::StartFolder() {
  if (!last_folder_.isEmpty()) return last_folder_;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<QString> FileDialog::getOpenFileName(QWidget* parent, const QString& title,
                                                   const QString& filter) {
  if (scripted_) return Chosen(title, Scripted());
  NormalPointer pointer;
  return Chosen(title, QFileDialog::getOpenFileName(parent, title, StartFolder(), filter, nullptr,
                                                    QFileDialog::ReadOnly));
}

std::optional<QString> FileDialog::getSaveFileName(QWidget* parent, const QString& title,
                                                   const QString& filter) {
  for (;;) {
    std::optional<QString> file;
    if (scripted_) {
      file = Chosen(title, Scripted());
    } else {
      NormalPointer pointer;
      file = Chosen(title, QFileDialog::getSaveFileName(parent, title, StartFolder(), filter));
    }
    if (!file || QFileInfo::exists(*file)) return file;
    const QString question =
        QDir::toNativeSeparators(*file) + QStringLiteral(
                                              "\r\nThis file does not exist.\r\nDo you want to "
                                              "create it?");
    if (MessageBox::Show(parent, QMessageBox::Question, title, question,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
      return file;
    }
  }
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
  last_folder_.clear();
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
  QFontDialog dialog(initial, parent);
  dialog.setWindowTitle(title);
  dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
  // The options refill the family list: the font in use is chosen again.
  dialog.setCurrentFont(initial);
  OfferSizesOnly(dialog, kLeastFontSize, kMostFontSize);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFont();
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
