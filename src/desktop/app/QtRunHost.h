#pragma once

#include <QElapsedTimer>
#include <optional>

#include "engine/RunHost.h"

namespace ledgerly::gui {

class MainWindow;

// The desktop program's answer to a Test run: the open-file dialog, message
// boxes, the record counter and progress bar of the main window, and the event
// pumping through which Exit reaches the run.
class QtRunHost : public RunHost {
 public:
  explicit QtRunHost(MainWindow& window);

  std::optional<std::string> ChooseFile(std::string_view title) override;
  MessageAnswer ShowMessage(MessageIcon icon, std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  void Progress(const RunProgress& progress) override;
  bool KeepResponsive() override;
  Date Today() override { return TodayOrOverride(); }
  void FileStarted(std::string_view path) override;
  void ShowStatus(std::string_view text) override;
  void OpenFilingService() override;

  // Exit was chosen: the run stops at its next record.
  void RequestStop() { stop_requested_ = true; }

  // How often the window gets to process its events; tests use 0 (every record).
  static void setPumpIntervalMs(int interval_ms) { pump_interval_ms_ = interval_ms; }

 private:
  MainWindow& window_;
  bool stop_requested_ = false;
  std::optional<RunProgress> pending_progress_;
  QElapsedTimer since_pump_;
  static int pump_interval_ms_;
};

}  // namespace ledgerly::gui
