// Handing the HTML report and the filing service's page to the browser: the
// order of attempts and the prompts, with a stand-in desktop.
#include "desktop/report/ReportImage.h"
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
    {"view: does not open, user cancels", 0, 0, 1, 0, 0, 0, 1, "open",
     "HTML Report: " + kNotOpened + "\r\n\r\nWould you like to view" + kText},
    {"view: no browser, user takes the text report", 0, 0, 0, 0, 0, 1, 0, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to view" + kText},
    {"print: no browser, user cancels", 0, 1, 0, 0, 0, 0, 1, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to print" + kText},
    {"service: no browser is only a notice", 1, 0, 0, 0, 0, 1, 0, "",
     "Browser Not Found: " + kNoBrowser},
    {"service: browser does not open", 1, 0, 1, 0, 0, 1, 1, "open",
     "Connect to Quorvix: " + kNotOpened},
    {"service: browser opens the welcome page", 1, 0, 1, 0, 1, 1, 1, "open", ""},
};

}  // namespace

class BrowserHandoffTest : public QObject {
  Q_OBJECT

 private slots:
  void handOff_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kHandOffs)); ++row) {
      QTest::newRow(kHandOffs[row].name) << row;
    }
  }
  void handOff() {
    QFETCH(int, row);
    const auto& c = kHandOffs[row];
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
    QCOMPARE(ShowHtmlReport(nullptr, data.path(), html, c.print, browser, ask), c.result);
    QCOMPARE(prompts, c.prompt.isEmpty() ? QStringList() : QStringList(c.prompt));
    const auto page = data.path() / ledgerly::kTempHtmlFileName;
    const QString target = c.service ? FilingServiceUrl() : PathToUrl(page);
    QCOMPARE(browser.calls.join(' '), QString(c.calls).replace("open", target));
    // The service gets a placeholder page; a report gets its background image.
    QVERIFY(ReadFile(page).starts_with(c.service ? "<HTML> </HTML>\r\n" : html));
    if (!c.service) QVERIFY(!QImage(FileName(data.path() / kReportImageFileName)).isNull());
    // A data folder with blanks still gives the browser a good address.
    QCOMPARE(PathToUrl("/home/a b/temphtm.HTM"), QString("file:///home/a%20b/temphtm.HTM"));
  }
};

QTEST_MAIN(BrowserHandoffTest)
#include "BrowserHandoffTest.moc"
