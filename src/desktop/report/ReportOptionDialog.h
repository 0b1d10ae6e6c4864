#pragma once

#include <QDialog>
#include <deque>
#include <optional>

class QRadioButton;

namespace ledgerly::gui {

struct ReportSettings;

// frmReportOption: text or HTML.
class ReportOptionDialog : public QDialog {
  Q_OBJECT

 public:
  ReportOptionDialog(ReportSettings& settings, QWidget* parent = nullptr);

  // Shows the dialog modally. True on OK (ReportChoice set), false on Cancel
  // (DialogCancelled set).
  static bool Ask(QWidget* parent, ReportSettings& settings);

  // Tests answer in advance: a report choice for OK, nothing for Cancel.
  static void setScripted(bool scripted);
  static void setNextAnswer(std::optional<int> report_choice);
  static int timesShown();
  static void reset();

 private:
  void OKButton_Click();
  void CancelButton_Click();

  ReportSettings& settings_;
  QRadioButton* text_;
  QRadioButton* html_;
  static bool scripted_;
  static std::deque<std::optional<int>> answers_;
  static int times_shown_;
};

}  // namespace ledgerly::gui
