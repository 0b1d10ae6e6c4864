#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>

#include "desktop/app/GridRows.h"
#include "desktop/common/Dialogs.h"
#include "engine/RunHost.h"
#include "engine/TestRun.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ledgerly::gui {

class CriticalErrorPane;
class ErrorSummaryWindow;
class ErrorsPane;
class QtRunHost;
class RunStatus;
class StartPane;
class TestedRecordsPane;
class RecordViewer;
class ReportWindow;
class ToolTipWindow;
class ResultDatabase;
class ResultGrid;
struct ReportSettings;

// frmMain: the start screen, the Test run, the result views and the commands
// that lead to the error report.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(std::filesystem::path data_folder, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The commands of the buttons and menus.
  void cmdStart_Click();
  void cmdLast_Click();
  void cmdGrid_Click();
  void cmdView_Click();
  void cmdErrors_Click();
  void cmdPrint_Click();
  void cmdExit_Click();
  void mnuTSet_Click();
  // Go to Record: a record of the tested-records view by its number.
  void mnuVGoTo_Click();
  // Error Summary: one row per kind of error; choosing one shows its records.
  void mnuVSummary_Click();
  void ShowRecordsWithError(const QString& reference, const QString& error);
  void mnuRLast_Click();
  void mnuHContents_Click();
  void mnuHAbout_Click();
  // Shows a stored record in the record field viewer.
  void ViewFile(int64_t rec_num);
  // Called when the Error limit dialog is confirmed.
  void StartTesting();

  bool TestRunning() const { return run_host_ != nullptr; }
  int ErrorLimit() const { return error_limit_; }
  const std::filesystem::path& DataFolder() const { return data_folder_; }
  std::filesystem::path DatabasePath() const;
  ReportSettings& Report() { return *report_settings_; }
  ReportWindow* CurrentReportWindow() const;
  RecordViewer* Viewer() const { return viewer_; }
  ToolTipWindow* ToolTips() const { return tool_tips_; }

  // For the run host.
  void RunFileStarted(const QString& path);
  void ShowRunProgress(const RunProgress& progress);
  void ReleaseResults();
  void ShowRunStatus(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Command {
    QPushButton* button = nullptr;
    QAction* action = nullptr;
    bool enabled = true;
    bool during_run = false;  // Exit, Help and About stay available during a run
  };

  void BuildWidgets();
  QWidget* BuildCommandColumn(QWidget* central);
  void BuildMenus();
  void AddCommand(const QString& name, QPushButton* button, QAction* action, bool enabled,
                  bool during_run = false);
  void SetEnabled(const QString& name, bool enabled);
  void SetEnabled(std::initializer_list<const char*> names, bool enabled);
  void ApplyEnabled();
  void UpdateAreas();
  static void SetShown(std::initializer_list<QWidget*> widgets, bool shown);

  // Test run.
  RunResult ReadFile();
  void PresentRunResult(const RunResult& result);
  void FinishCleanRun(const RunResult& result);
  void UnloadStep();

  // Result views.
  // False when another program's run is writing the results (the user was told).
  bool OpenResults();
  void ReopenResults();
  void DBGrid1_RowColChange();
  void DBGrid3_RowColChange();
  void ShowRecordsWithErrors(const GridRows& records, const QString& caption, bool all_records);
  void ShowCriticalError();
  void SetRows(ResultGrid* grid, const GridRows& rows);
  void SelectFirstRow(ResultGrid* grid);
  // Empties the record field viewer and hides it with its headings.
  void ClearViewer();

  std::filesystem::path data_folder_;
  int error_limit_;
  std::unique_ptr<ResultDatabase> results_;
  std::unique_ptr<ReportSettings> report_settings_;
  QPointer<ReportWindow> report_window_;
  QPointer<ErrorSummaryWindow> summary_window_;
  QtRunHost* run_host_ = nullptr;  // set while ReadFile runs
  bool exit_requested_ = false;
  std::optional<BusyPointer> busy_pointer_;  // while a run reads a file
  bool viewing_ = false;                     // ViewFile is under way
  std::map<QString, Command> commands_;
  std::map<ResultGrid*, GridRows> released_rows_;

  StartPane* start_pane_ = nullptr;
  ErrorsPane* errors_pane_ = nullptr;
  TestedRecordsPane* tested_pane_ = nullptr;
  CriticalErrorPane* critical_pane_ = nullptr;
  RunStatus* run_status_ = nullptr;
  RecordViewer* viewer_ = nullptr;
  ToolTipWindow* tool_tips_ = nullptr;
};

}  // namespace ledgerly::gui
