#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/RunHost.h"

namespace ledgerly::test {

// A RunHost that answers from a script and remembers what the run showed.
class ScriptedHost : public RunHost {
 public:
  struct Message {
    MessageIcon icon;
    std::string title;
    std::string text;
  };

  std::optional<std::string> ChooseFile(std::string_view title) override;
  MessageAnswer ShowMessage(MessageIcon icon, std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  void Progress(const RunProgress&) override { ++progress_calls; }
  bool KeepResponsive() override;
  Date Today() override { return today; }
  void OpenFilingService() override { ++filing_service_opened; }

  std::deque<std::string> files;  // answers of the file dialog; empty = Cancel
  std::vector<std::string> dialog_titles;
  std::vector<Message> messages;
  MessageAnswer yes_no_answer = MessageAnswer::No;
  int stop_at_record_call = -1;  // KeepResponsive call that asks to stop (1-based)
  int responsive_calls = 0;
  int progress_calls = 0;
  int filing_service_opened = 0;
  Date today{2026, 12, 6};
};

}  // namespace ledgerly::test
