#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace ledgerly::gui {

// frmSetErrors: the number of errors after which a Test run stops.
class ErrorLimitDialog : public QDialog {
  Q_OBJECT

 public:
  ErrorLimitDialog(int current_limit, QWidget* parent = nullptr);

  // The limit accepted by OK.
  int limit() const { return limit_; }

  // The entry as a limit from 1 to 25,000, or nothing (blank, zero, too large,
  // or too long to be a number).
  static std::optional<int> ParseEntry(const QString& entry);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void cmdOK_Click();

  QLineEdit* txt_error_count_;
  int limit_;
};

}  // namespace ledgerly::gui
