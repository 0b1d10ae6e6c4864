#pragma once

#include <QString>
#include <deque>
#include <optional>

class QWidget;

namespace ledgerly::gui {

// Asks for a whole number in a range; nothing when the user cancels. Like the
// other prompts it can be answered in advance by a test (see Dialogs.h).
class NumberDialog {
 public:
  static std::optional<int> getNumber(QWidget* parent, const QString& title, const QString& label,
                                      int value, int minimum, int maximum);

  static void setScripted(bool scripted);
  // A scripted dialog without a queued answer is cancelled.
  static void setNextNumber(int number);

 private:
  static bool scripted_;
  static std::deque<int> answers_;
};

}  // namespace ledgerly::gui
