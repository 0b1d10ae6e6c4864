#pragma once

#include <deque>
#include <functional>
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

  std::optional<std::string> ChooseFile(std::string_view title) override {
    dialog_titles.emplace_back(title);
    if (files.empty()) return std::nullopt;
    std::string next = files.front();
    files.pop_front();
    return next;
  }
  MessageAnswer ShowMessage(MessageIcon icon, std::string_view title, std::string_view text,
                            MessageButtons buttons) override {
    messages.push_back({icon, std::string(title), std::string(text)});
    return buttons == MessageButtons::YesNo ? yes_no_answer : MessageAnswer::Ok;
  }
  void Progress(const RunProgress& progress) override { last_progress = progress; }
  bool KeepResponsive() override {
    if (between_records) between_records();
    return ++responsive_calls == stop_at_record_call;
  }
  Date Today() override { return today; }
  void OpenFilingService() override { ++filing_service_opened; }

  std::deque<std::string> files;  // answers of the file dialog; empty = Cancel
  std::vector<std::string> dialog_titles;
  std::vector<Message> messages;
  MessageAnswer yes_no_answer = MessageAnswer::No;
  int stop_at_record_call = -1;  // KeepResponsive call that asks to stop (1-based)
  int responsive_calls = 0;
  std::function<void()> between_records;  // called at each KeepResponsive
  RunProgress last_progress;
  int filing_service_opened = 0;
  Date today{2026, 12, 6};
};

}  // namespace ledgerly::test
