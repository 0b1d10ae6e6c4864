#pragma once

#include <QStringList>

#include "desktop/report/BrowserHandoff.h"

namespace ledgerly::gui {

// The browser of a freedesktop desktop: the default application of text/html
// (xdg-mime), started from its desktop entry's command line.
class XdgBrowser : public BrowserLauncher {
 public:
  // The program of the default HTML application's desktop entry (its full
  // path when it is on PATH); nothing without xdg-mime, a default or an entry.
  std::optional<QString> FindBrowser(const std::filesystem::path& file) override;
  // Browsers here take no print command; the report is opened for the user to print.
  bool PrintFile(const QString&, const std::filesystem::path&) override { return false; }
  bool OpenWith(const QString& browser, const QString& target) override;

  // The arguments of an Exec line for target: %u %U %f %F become the target,
  // other field codes go; without a field code the target is added at the end.
  static QStringList ExecArguments(const QStringList& exec_arguments, const QString& target);

 private:
  QStringList exec_arguments_;  // what follows the program on the entry's Exec line
};

}  // namespace ledgerly::gui
