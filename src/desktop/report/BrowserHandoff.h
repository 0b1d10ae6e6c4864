#pragma once

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ledgerly::gui {

// The filing service's welcome page, opened after a clean run.
inline constexpr const char* kFilingServiceUrl = "https://quorvix.example/welcome";

// kFilingServiceUrl, or the address in LEDGERLY_FILING_URL when that is set.
QString FilingServiceUrl();

// The file URL of a path (PathToUrl); empty for an empty path.
QString PathToUrl(const std::filesystem::path& path);

// What the hand-off asks of the desktop. The desktop's own is DesktopBrowser();
// tests give their own.
class BrowserLauncher {
 public:
  virtual ~BrowserLauncher() = default;
  // The program that opens the file, the browser; nothing when there is none.
  virtual std::optional<QString> FindBrowser(const std::filesystem::path& file) = 0;
  // Has the browser print the file; false when it cannot.
  virtual bool PrintFile(const QString& browser, const std::filesystem::path& file) = 0;
  // Starts the browser on target (no page when target is empty); false when it did not start.
  virtual bool OpenWith(const QString& browser, const QString& target) = 0;
};

// Asks the user with a message box and returns the button chosen. The window
// passes its pre-answerable message box here, so tests answer the prompts.
using AskUser = std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon,
                                                          const QString& title, const QString& text,
                                                          QMessageBox::StandardButtons buttons)>;

// A plain QMessageBox; texts written with CR LF.
QMessageBox::StandardButton AskWithMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons);

// The desktop's launcher: xdg-mime and the browser's desktop entry, or on Windows the
// program .html files are associated with.
BrowserLauncher& DesktopBrowser();

// Tests put a launcher in the desktop's place (nullptr restores it).
void ReplaceDesktopBrowser(BrowserLauncher* launcher);

// Hands the HTML report already written to file (temphtm.HTM) to the browser:
// printed by it when print_requested, else (or when it cannot print) opened
// in it. Returns false when the user asks for the text report instead (the
// prompts say "view" or "print" as the command was); true otherwise.
bool OpenHtmlReport(QWidget* window, const std::filesystem::path& file, bool print_requested,
                    BrowserLauncher& launcher = DesktopBrowser(),
                    const AskUser& ask = AskWithMessageBox);

// Writes text to temphtm.HTM in data_folder and hands it over (ShowHtmlReport).
// An empty text is the filing service's mode: the file gets the placeholder
// page, the browser opens the welcome page, and a failure is only reported
// (the result is false when no browser was found).
bool ShowHtmlReport(QWidget* window, const std::filesystem::path& data_folder, std::string& text,
                    bool print_requested, BrowserLauncher& launcher = DesktopBrowser(),
                    const AskUser& ask = AskWithMessageBox);

// The offer after a clean run was accepted: opens the filing service's welcome page.
void OpenFilingService(QWidget* window, const std::filesystem::path& data_folder,
                       BrowserLauncher& launcher = DesktopBrowser(),
                       const AskUser& ask = AskWithMessageBox);

}  // namespace ledgerly::gui
