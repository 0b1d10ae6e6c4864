#include "desktop/report/BrowserHandoff.h"

#include <QUrl>

#include "desktop/report/AssociatedBrowser.h"
#include "desktop/report/ReportImage.h"
#include "desktop/report/XdgBrowser.h"
#include "reports/TempHtml.h"

namespace ledgerly::gui {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNoBrowser = QStringLiteral("Could not find a default Web Browser. ");
const QString kNotOpened = QStringLiteral("Your default browser could not be opened: ");

enum class Mode { Report, Service };

bool HandOff(QWidget* window, const std::filesystem::path& file, Mode mode, bool print_requested,
             BrowserLauncher& launcher, const AskUser& ask) {
  bool result = true;
  const QString target = mode == Mode::Report ? PathToUrl(file) : FilingServiceUrl();
  const std::optional<QString> browser = launcher.FindBrowser(file);
  const QString verb = print_requested ? QStringLiteral("print") : QStringLiteral("view");
  const QString text_report_question =
      QStringLiteral("Would you like to ") + verb + QStringLiteral(" a text report?");

  if (!browser) {
    if (mode == Mode::Report) {
      const auto answer =
          ask(window, QMessageBox::Warning, QStringLiteral("HTML Report"),
              kNoBrowser + kCrLf + text_report_question, QMessageBox::Ok | QMessageBox::Cancel);
      if (answer == QMessageBox::Ok) result = false;
    } else {
      ask(window, QMessageBox::Warning, QStringLiteral("Browser Not Found"), kNoBrowser,
          QMessageBox::Ok);
      result = false;
    }
    return result;
  }

  bool started = print_requested && launcher.PrintFile(*browser, file);
  if (!started) started = launcher.OpenWith(*browser, target);
  if (!started) {
    const QString browser_path = browser->trimmed();
    if (mode == Mode::Report) {
      const auto answer =
          ask(window, QMessageBox::Warning, QStringLiteral("HTML Report"),
              kNotOpened + kCrLf + browser_path + kCrLf + kCrLf + text_report_question,
              QMessageBox::Ok | QMessageBox::Cancel);
      if (answer == QMessageBox::Ok) result = false;
    } else {
      ask(window, QMessageBox::Warning, QStringLiteral("Connect to Quorvix"),
          kNotOpened + kCrLf + browser_path, QMessageBox::Ok);
    }
  }
  return result;
}

}  // namespace

QString FilingServiceUrl() {
  const QString configured = qEnvironmentVariable("LEDGERLY_FILING_URL");
  return configured.isEmpty() ? QString::fromLatin1(kFilingServiceUrl) : configured;
}

QString PathToUrl(const std::filesystem::path& path) {
  if (path.empty()) return {};
  return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString(QUrl::FullyEncoded);
}

QMessageBox::StandardButton AskWithMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, QString(text).replace(kCrLf, QStringLiteral("\n")), buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

namespace {
BrowserLauncher* replacement_browser = nullptr;
}  // namespace

BrowserLauncher& DesktopBrowser() {
#ifdef Q_OS_WIN
  static AssociatedBrowser browser;
#else
  static XdgBrowser browser;
#endif
  return replacement_browser ? *replacement_browser : browser;
}

void ReplaceDesktopBrowser(BrowserLauncher* launcher) {
  replacement_browser = launcher;
}

bool OpenHtmlReport(QWidget* window, const std::filesystem::path& file, bool print_requested,
                    BrowserLauncher& launcher, const AskUser& ask) {
  WriteReportImage(file.parent_path());
  return HandOff(window, file, Mode::Report, print_requested, launcher, ask);
}

bool ShowHtmlReport(QWidget* window, const std::filesystem::path& data_folder, std::string& text,
                    bool print_requested, BrowserLauncher& launcher, const AskUser& ask) {
  const std::filesystem::path file = WriteTempHtml(data_folder, text);
  if (text == kEmptyHtmlPage) {
    return HandOff(window, file, Mode::Service, print_requested, launcher, ask);
  }
  return OpenHtmlReport(window, file, print_requested, launcher, ask);
}

void OpenFilingService(QWidget* window, const std::filesystem::path& data_folder,
                       BrowserLauncher& launcher, const AskUser& ask) {
  std::string text;
  ShowHtmlReport(window, data_folder, text, false, launcher, ask);
}

}  // namespace ledgerly::gui
