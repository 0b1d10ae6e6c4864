#pragma once

#include <exception>

class QWidget;

namespace ledgerly::gui {

// The notice of a failure inside a command other than a Test run: title
// "Error", a critical-stop icon, the error's number and description.
void ShowErrorNotice(QWidget* parent, const std::exception& error);

}  // namespace ledgerly::gui
