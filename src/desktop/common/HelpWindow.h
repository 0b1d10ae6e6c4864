#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace ledgerly::gui {

// The help page Help > Contents opens.
inline constexpr const char* kHelpContentsTopic = "Welcome.htm";

// The folder of the help pages for a program in program_folder: help/ beside
// it, ../share/ledgerly/help of an installed (or moved) tree, ledgerly/help in
// the system's data folders, or the source tree's share/help when the program
// runs from its build folder. Empty when none of them holds the contents topic.
QString FindHelpFolder(const QString& program_folder = QString());

// The help viewer: the program's help pages, with Contents, Back, Forward and Close.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(const QString& help_folder, QWidget* owner = nullptr);
  void ShowTopic(const QString& topic);
  QTextBrowser* browser() const { return browser_; }

 private:
  QString help_folder_;
  QTextBrowser* browser_;
};

// Help > Contents: shows the owner's help window (made on first use) at the
// contents topic. The window belongs to owner and closes with it.
HelpWindow* ShowHelpContents(QWidget* owner, const QString& help_folder = FindHelpFolder());

}  // namespace ledgerly::gui
