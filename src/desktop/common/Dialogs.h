#pragma once

#include <QFont>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <deque>
#include <optional>

class QWidget;

namespace ledgerly::gui {

// Text controls show CR LF line breaks as plain line breaks.
QString ForDisplay(QString text);

// Every prompt of the program goes through these wrappers so that a test can
// answer it in advance: in scripted mode nothing is shown, queued answers are
// used in order, and each prompt is remembered.
class MessageBox {
 public:
  struct Shown {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
  };

  // Texts use CR LF for line breaks, as the program writes them.
  static QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& title, const QString& text,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok);

  static void setScripted(bool scripted);
  // Without a queued answer a scripted box answers Ok, or No for a Yes/No question.
  static void setNextAnswer(QMessageBox::StandardButton answer);
  static QList<Shown>& shown();
  static void reset();

 private:
  static bool scripted_;
  static std::deque<QMessageBox::StandardButton> answers_;
};

class FileDialog {
 public:
  // Both dialogs start in StartFolder(), and a chosen file makes its folder
  // the next start. Nothing when the user cancels.
  static std::optional<QString> getOpenFileName(QWidget* parent, const QString& title,
                                                const QString& filter);
  // Asks before overwriting an existing file (the dialog itself) and before
  // creating a new one; No there goes back to the dialog.
  static std::optional<QString> getSaveFileName(QWidget* parent, const QString& title,
                                                const QString& filter);
  // The folder last chosen in, else the user's documents (or home) folder.
  static QString StartFolder();

  static void setScripted(bool scripted);
  // A scripted dialog without a queued answer is cancelled.
  static void setNextFileName(const QString& file_name);
  static void setNextCancel();
  static QList<QString>& titles();
  // Forgets the scripted answers and the last folder.
  static void reset();

 private:
  static std::optional<QString> Chosen(const QString& title, std::optional<QString> file);
  static std::optional<QString> Scripted();
  static bool scripted_;
  static std::deque<QString> answers_;  // a null text cancels
  static QString last_folder_;
};

// The print font's dialog: fixed-pitch fonts of 8 to 20 points, starting at initial.
class FontDialog {
 public:
  static std::optional<QFont> getFont(QWidget* parent, const QString& title, const QFont& initial);

  static void setScripted(bool scripted);
  static void setNextFont(const QFont& font);  // a scripted dialog without one is cancelled
  static void reset();

 private:
  static bool scripted_;
  static std::deque<QFont> answers_;
};

// Lets a prompt show the normal pointer while the busy pointer is up.
class NormalPointer {
 public:
  NormalPointer();
  ~NormalPointer();
  NormalPointer(const NormalPointer&) = delete;
  NormalPointer& operator=(const NormalPointer&) = delete;

 private:
  bool pushed_ = false;
};

// Shows the busy pointer for the length of a command.
class BusyPointer {
 public:
  BusyPointer();
  ~BusyPointer();
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace ledgerly::gui
