// Handing the HTML report and the filing service's page to the browser: the
// order of attempts and the prompts, with a stand-in desktop.
#include <QtTest>
#include <optional>

#include "desktop/report/BrowserHandoff.h"
#include "desktop/report/ReportImage.h"
#include "gui/GuiTestSupport.h"
#include "reports/TempHtml.h"

using namespace ledgerly::gui;
using namespace ledgerly::test;

namespace {

struct FakeLauncher : BrowserLauncher {
  bool found = true, prints = false, opens = true;
  int print_calls = 0;
  QStringList opened;  // the targets the browser was started on

  std::optional<QString> FindBrowser(const std::filesystem::path&) override {
    return found ? std::optional<QString>("/usr/bin/somebrowser") : std::nullopt;
  }
  bool PrintFile(const QString&, const std::filesystem::path&) override {
    ++print_calls;
    return prints;
  }
  bool OpenWith(const QString&, const QString& target) override {
    opened << target;
    return opens;
  }
};

const char* kNotOpened = "Your default browser could not be opened: \r\n/usr/bin/somebrowser";
const char* kNoBrowser = "Could not find a default Web Browser. ";

struct HandOff {
  const char* name;
  bool service, print, found, prints, opens, answer_ok, result;
  int print_calls, open_calls;
  const char* title;  // empty: no prompt
  QString text;       // an OK/Cancel question, or a notice with OK alone in service mode
};

const HandOff kHandOffs[] = {
    // name, service, print, found, prints, opens, answer OK, result, prints, opens, prompt
    {"view: browser opens the report", 0, 0, 1, 0, 1, 1, 1, 0, 1, "", ""},
    {"print: browser prints, nothing opened", 0, 1, 1, 1, 1, 1, 1, 1, 0, "", ""},
    {"print: browser cannot print, report opened instead", 0, 1, 1, 0, 1, 1, 1, 1, 1, "", ""},
    {"print: neither prints nor opens, user takes the text report", 0, 1, 1, 0, 0, 1, 0, 1, 1,
     "HTML Report", kNotOpened + QString("\r\n\r\nWould you like to print a text report?")},
    {"view: does not open, user cancels", 0, 0, 1, 0, 0, 0, 1, 0, 1, "HTML Report",
     kNotOpened + QString("\r\n\r\nWould you like to view a text report?")},
    {"view: no browser, user takes the text report", 0, 0, 0, 0, 0, 1, 0, 0, 0, "HTML Report",
     kNoBrowser + QString("\r\nWould you like to view a text report?")},
    {"print: no browser, user cancels", 0, 1, 0, 0, 0, 0, 1, 0, 0, "HTML Report",
     kNoBrowser + QString("\r\nWould you like to print a text report?")},
    {"service: no browser is only a notice", 1, 0, 0, 0, 0, 1, 0, 0, 0, "Browser Not Found",
     kNoBrowser},
    {"service: browser does not open", 1, 0, 1, 0, 0, 1, 1, 0, 1, "Connect to Quorvix", kNotOpened},
    {"service: browser opens the welcome page", 1, 0, 1, 0, 1, 1, 1, 0, 1, "", ""},
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
    const HandOff& c = kHandOffs[row];
    TempFolder data;
    FakeLauncher launcher;
    launcher.found = c.found;
    launcher.prints = c.prints;
    launcher.opens = c.opens;
    QList<MessageBox::Shown> prompts;
    const AskUser ask = [&](QWidget*, QMessageBox::Icon icon, const QString& title,
                            const QString& text, QMessageBox::StandardButtons buttons) {
      prompts << MessageBox::Shown{icon, title, text, buttons};
      return c.answer_ok ? QMessageBox::Ok : QMessageBox::Cancel;
    };
    std::string html = c.service ? std::string() : "<!DOCTYPE HTML PUBLIC> <HTML></HTML>";

    QCOMPARE(ShowHtmlReport(nullptr, data.path(), html, c.print, launcher, ask), c.result);
    QCOMPARE(launcher.print_calls, c.print_calls);
    QCOMPARE(launcher.opened.size(), c.open_calls);
    const auto page = data.path() / ledgerly::kTempHtmlFileName;
    for (const QString& target : launcher.opened) {
      QCOMPARE(target, c.service ? FilingServiceUrl() : PathToUrl(page));
    }
    // The service gets a placeholder page; a report gets its background image.
    QVERIFY(ReadFile(page).starts_with(c.service ? "<HTML> </HTML>\r\n" : html));
    if (!c.service) QVERIFY(!QImage(FileName(data.path() / kReportImageFileName)).isNull());
    QCOMPARE(prompts.size(), *c.title ? 1 : 0);
    if (prompts.isEmpty()) return;
    QCOMPARE(prompts[0].icon, QMessageBox::Warning);
    QCOMPARE(prompts[0].title, QString(c.title));
    QCOMPARE(prompts[0].text, c.text);
    QCOMPARE(prompts[0].buttons, c.service ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                           : QMessageBox::Ok | QMessageBox::Cancel);
  }

  void pathToUrlEncodesBlanks() {
    QCOMPARE(PathToUrl("/home/a b/temphtm.HTM"), QString("file:///home/a%20b/temphtm.HTM"));
  }
};

QTEST_MAIN(BrowserHandoffTest)
#include "BrowserHandoffTest.moc"
