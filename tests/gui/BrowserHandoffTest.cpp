// Handing the report and the filing service's page to a stand-in browser.
#include "gui/GuiTestSupport.h"
#include "reports/TempHtml.h"

using namespace ledgerly::gui;
using namespace ledgerly::test;

namespace {

const QString kNotOpened = "Your default browser could not be opened: \r\n/usr/bin/somebrowser";
const QString kNoBrowser = "Could not find a default Web Browser. ";
const QString kText = " a text report?";

const struct {
  const char* name;
  bool service, print, found, prints, opens, answer_ok, result;
  QString calls;   // asked of the browser
  QString prompt;  // "title: text" of the one prompt: OK/Cancel, a notice (OK) in service mode
} kHandOffs[] = {
    {"view: browser opens the report", 0, 0, 1, 0, 1, 1, 1, "open", ""},
    {"print: browser prints, nothing opened", 0, 1, 1, 1, 1, 1, 1, "print", ""},
    {"print: browser cannot print, report opened instead", 0, 1, 1, 0, 1, 1, 1, "print open", ""},
    {"print: neither prints nor opens, user takes the text report", 0, 1, 1, 0, 0, 1, 0,
     "print open", "HTML Report: " + kNotOpened + "\r\n\r\nWould you like to print" + kText},
    {"view: no browser, user takes the text report", 0, 0, 0, 0, 0, 1, 0, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to view" + kText},
    {"print: no browser, user cancels", 0, 1, 0, 0, 0, 0, 1, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to print" + kText},
    {"service: no browser is only a notice", 1, 0, 0, 0, 0, 1, 0, "",
     "Browser Not Found: " + kNoBrowser},
    {"service: browser does not open", 1, 0, 1, 0, 0, 1, 1, "open",
     "Connect to Quorvix: " + kNotOpened},
};

}  // namespace

class BrowserHandoffTest : public QObject {
  Q_OBJECT
 private slots:
  void handOff() {
    for (const auto& c : kHandOffs) {
      TempFolder data;
      FakeBrowser browser;
      browser.found = c.found;
      browser.prints = c.prints;
      browser.opens = c.opens;
      QStringList prompts;
      const AskUser ask = [&](QWidget*, QMessageBox::Icon icon, const QString& title,
                              const QString& text, QMessageBox::StandardButtons buttons) {
        const bool question = buttons == (QMessageBox::Ok | QMessageBox::Cancel);
        const bool as_told = icon == QMessageBox::Warning && question != c.service;
        prompts << title + ": " + text + (as_told ? "" : " [other icon or buttons]");
        return c.answer_ok ? QMessageBox::Ok : QMessageBox::Cancel;
      };
      std::string html = c.service ? std::string() : "<!DOCTYPE HTML PUBLIC> <HTML></HTML>";
      QVERIFY2(ShowHtmlReport(nullptr, data.path(), html, c.print, browser, ask) == c.result,
               c.name);
      QCOMPARE(prompts, c.prompt.isEmpty() ? QStringList() : QStringList(c.prompt));
      const auto page = data.path() / ledgerly::kTempHtmlFileName;
      const QString target = c.service ? FilingServiceUrl() : PathToUrl(page);
      QCOMPARE(browser.calls.join(' '), QString(c.calls).replace("open", target));
      QVERIFY(ReadFile(page).starts_with(c.service ? "<HTML> </HTML>\r\n" : html));
    }
  }
};

QTEST_MAIN(BrowserHandoffTest)
#include "BrowserHandoffTest.moc"
