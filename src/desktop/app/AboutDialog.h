#pragma once

#include <QDialog>

namespace ledgerly::gui {

// frmAbout: the program's name and version.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace ledgerly::gui
