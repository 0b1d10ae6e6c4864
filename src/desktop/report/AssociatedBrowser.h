#pragma once

#include "desktop/report/BrowserHandoff.h"

namespace ledgerly::gui {

// The browser of a Windows desktop: the program .html files are associated
// with, started with the target as its one argument.
class AssociatedBrowser : public BrowserLauncher {
 public:
  std::optional<QString> FindBrowser(const std::filesystem::path& file) override;
  // Browsers take no print command; the report is opened for the user to print.
  bool PrintFile(const QString&, const std::filesystem::path&) override { return false; }
  bool OpenWith(const QString& browser, const QString& target) override;
};

}  // namespace ledgerly::gui
