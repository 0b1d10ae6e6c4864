#include "support/ScriptedHost.h"

namespace ledgerly::test {

std::optional<std::string> ScriptedHost::ChooseFile(std::string_view title) {
  dialog_titles.emplace_back(title);
  if (files.empty()) return std::nullopt;
  std::string next = files.front();
  files.pop_front();
  return next;
}

MessageAnswer ScriptedHost::ShowMessage(MessageIcon icon, std::string_view title,
                                        std::string_view text, MessageButtons buttons) {
  messages.push_back({icon, std::string(title), std::string(text)});
  return buttons == MessageButtons::YesNo ? yes_no_answer : MessageAnswer::Ok;
}

bool ScriptedHost::KeepResponsive() {
  return ++responsive_calls == stop_at_record_call;
}

}  // namespace ledgerly::test
