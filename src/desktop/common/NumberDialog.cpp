#include "desktop/common/NumberDialog.h"

#include <QInputDialog>

#include "desktop/common/Dialogs.h"

namespace ledgerly::gui {

bool NumberDialog::scripted_ = false;
std::deque<int> NumberDialog::answers_;

std::optional<int> NumberDialog::getNumber(QWidget* parent, const QString& title,
                                           const QString& label, int value, int minimum,
                                           int maximum) {
  if (scripted_) {
    if (answers_.empty()) return std::nullopt;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  NormalPointer pointer;
  bool ok = false;
  const int number = QInputDialog::getInt(parent, title, label, value, minimum, maximum, 1, &ok);
  if (!ok) return std::nullopt;
  return number;
}

void NumberDialog::setScripted(bool scripted) {
  scripted_ = scripted;
  answers_.clear();
}

void NumberDialog::setNextNumber(int number) {
  answers_.push_back(number);
}

}  // namespace ledgerly::gui
