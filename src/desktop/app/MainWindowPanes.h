#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;

namespace ledgerly::gui {

class ResultGrid;

// The parts of the main window. Each part keeps the control names of the
// original form as objectNames, and shows itself while any of its controls
// is shown (FollowContents), so hidden parts take no room.

// The start screen: logo, welcome text and the disclaimer box.
class StartPane : public QWidget {
 public:
  explicit StartPane(QWidget* parent);
  void FollowContents();

  QLabel* logo;                // imgLogo
  QLabel* welcome;             // lblWelcome
  QFrame* disclaimer_box;      // Shape1
  QPlainTextEdit* disclaimer;  // txtDisclosure
};

// The records with errors, and the errors of the chosen one.
class ErrorsPane : public QWidget {
 public:
  explicit ErrorsPane(QWidget* parent);
  void FollowContents();

  QLabel* records_heading;  // lblRecords
  ResultGrid* records;      // DBGrid1
  QLabel* errors_heading;   // lblErrors
  ResultGrid* errors;       // DBGrid2
};

// Every tested record; the record field viewer opens under it.
class TestedRecordsPane : public QWidget {
 public:
  explicit TestedRecordsPane(QWidget* parent);
  // With the viewer shown, the grid ends where the viewer's scroll bar begins.
  void FollowContents(int viewer_scroll_bar_width);

  ResultGrid* records;  // DBGrid3
};

// The Critical error that stopped the run, selected whole when it gets the focus.
class CriticalErrorPane : public QWidget {
 public:
  explicit CriticalErrorPane(QWidget* parent);
  void FollowContents();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLabel* heading;       // lblCritError
  QPlainTextEdit* text;  // txtCritError
};

// The record counter and progress bar of a Test run.
class RunStatus : public QWidget {
 public:
  explicit RunStatus(QWidget* parent);
  void SetShown(bool shown);
  // The part of the bar filled, 0 to 1.
  void SetFraction(double fraction);
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLabel* record_number;  // lblRecCtr
  QLabel* track;          // lblPrgrss2
  QLabel* bar;            // lblPrgrss1

 private:
  double fraction_ = 0;
};

}  // namespace ledgerly::gui
