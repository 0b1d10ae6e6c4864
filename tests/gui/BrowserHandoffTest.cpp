// Handing the HTML report and the filing service's page to the browser: the
// order of attempts and the prompts, with a stand-in desktop.
#include <QFile>
#include <QtTest>
#include <optional>

#include "desktop/report/BrowserHandoff.h"
#include "desktop/report/ReportImage.h"
#include "reports/TempHtml.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly::gui;
using ledgerly::test::TempFolder;

namespace {

const char* kBrowser = "/usr/bin/somebrowser";

class FakeLauncher : public BrowserLauncher {
 public:
  bool found = true;
  bool prints = false;
  bool opens = true;
  int print_calls = 0;
  QStringList opened;  // the targets the browser was started on

  std::optional<QString> FindBrowser(const std::filesystem::path&) override {
    if (!found) return std::nullopt;
    return QString::fromLatin1(kBrowser);
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

struct Prompt {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
};

struct Asker {
  QMessageBox::StandardButton answer = QMessageBox::Ok;
  QList<Prompt> prompts;
  AskUser Ask() {
    return [this](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                  QMessageBox::StandardButtons buttons) {
      prompts << Prompt{icon, title, text, buttons};
      return answer;
    };
  }
};

const QString kOkCancel = "OkCancel";
const QString kOk = "Ok";

}  // namespace

class BrowserHandoffTest : public QObject {
  Q_OBJECT

 private slots:
  void handOff_data() {
    QTest::addColumn<bool>("service");
    QTest::addColumn<bool>("print");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("prints");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("answer_ok");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("print_calls");
    QTest::addColumn<int>("open_calls");
    QTest::addColumn<QString>("title");  // empty: no prompt
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("buttons");

    const QString no_browser_view =
        "Could not find a default Web Browser. \r\nWould you like to view a text report?";
    const QString not_opened_print =
        "Your default browser could not be opened: \r\n/usr/bin/somebrowser\r\n\r\n"
        "Would you like to print a text report?";
    const QString not_opened_view =
        "Your default browser could not be opened: \r\n/usr/bin/somebrowser\r\n\r\n"
        "Would you like to view a text report?";
    //                       service print  found  prints opens  ok     result
    QTest::newRow("view: browser opens the report")
        << false << false << true << false << true << true << true << 0 << 1 << ""
        << ""
        << "";
    QTest::newRow("print: browser prints, nothing opened")
        << false << true << true << true << true << true << true << 1 << 0 << ""
        << ""
        << "";
    QTest::newRow("print: browser cannot print, report opened instead")
        << false << true << true << false << true << true << true << 1 << 1 << ""
        << ""
        << "";
    QTest::newRow("print: neither prints nor opens, user takes the text report")
        << false << true << true << false << false << true << false << 1 << 1 << "HTML Report"
        << not_opened_print << kOkCancel;
    QTest::newRow("view: does not open, user cancels")
        << false << false << true << false << false << false << true << 0 << 1 << "HTML Report"
        << not_opened_view << kOkCancel;
    QTest::newRow("view: no browser, user takes the text report")
        << false << false << false << false << false << true << false << 0 << 0 << "HTML Report"
        << no_browser_view << kOkCancel;
    QTest::newRow("print: no browser, user cancels")
        << false << true << false << false << false << false << true << 0 << 0 << "HTML Report"
        << "Could not find a default Web Browser. \r\nWould you like to print a text report?"
        << kOkCancel;
    QTest::newRow("service: no browser is only a notice")
        << true << false << false << false << false << true << false << 0 << 0
        << "Browser Not Found"
        << "Could not find a default Web Browser. " << kOk;
    QTest::newRow("service: browser does not open")
        << true << false << true << false << false << true << true << 0 << 1 << "Connect to Quorvix"
        << "Your default browser could not be opened: \r\n/usr/bin/somebrowser" << kOk;
    QTest::newRow("service: browser opens the welcome page")
        << true << false << true << false << true << true << true << 0 << 1 << ""
        << ""
        << "";
  }

  void handOff() {
    QFETCH(bool, service);
    QFETCH(bool, print);
    QFETCH(bool, found);
    QFETCH(bool, prints);
    QFETCH(bool, opens);
    QFETCH(bool, answer_ok);
    QFETCH(bool, result);
    QFETCH(int, print_calls);
    QFETCH(int, open_calls);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, buttons);

    TempFolder data;
    FakeLauncher launcher;
    launcher.found = found;
    launcher.prints = prints;
    launcher.opens = opens;
    Asker asker;
    asker.answer = answer_ok ? QMessageBox::Ok : QMessageBox::Cancel;
    std::string html = service ? std::string() : "<!DOCTYPE HTML PUBLIC> <HTML></HTML>";

    QCOMPARE(ShowHtmlReport(nullptr, data.path(), html, print, launcher, asker.Ask()), result);
    QCOMPARE(launcher.print_calls, print_calls);
    QCOMPARE(launcher.opened.size(), open_calls);
    const QString file = PathToUrl(data.path() / ledgerly::kTempHtmlFileName);
    for (const QString& target : launcher.opened) {
      QCOMPARE(target, service ? FilingServiceUrl() : file);
    }
    if (title.isEmpty()) {
      QVERIFY(asker.prompts.isEmpty());
      return;
    }
    QCOMPARE(asker.prompts.size(), 1);
    const Prompt& prompt = asker.prompts.first();
    QCOMPARE(prompt.icon, QMessageBox::Warning);
    QCOMPARE(prompt.title, title);
    QCOMPARE(prompt.text, text);
    QCOMPARE(prompt.buttons, buttons == kOk ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                            : QMessageBox::Ok | QMessageBox::Cancel);
  }

  void serviceModeWritesThePlaceholderPage() {
    TempFolder data;
    FakeLauncher launcher;
    Asker asker;
    OpenFilingService(nullptr, data.path(), launcher, asker.Ask());
    QFile file(QString::fromStdString((data.path() / ledgerly::kTempHtmlFileName).string()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("<HTML> </HTML>\r\n"));
    QCOMPARE(launcher.opened, QStringList{FilingServiceUrl()});
  }

  void reportGetsItsBackgroundImage() {
    TempFolder data;
    FakeLauncher launcher;
    Asker asker;
    std::string html = "<!DOCTYPE HTML PUBLIC> <HTML></HTML>";
    ShowHtmlReport(nullptr, data.path(), html, false, launcher, asker.Ask());
    const QImage image(QString::fromStdString((data.path() / kReportImageFileName).string()));
    QVERIFY(!image.isNull());
  }

  void filingServiceAddressCanBeConfigured() {
    QCOMPARE(FilingServiceUrl(), QString(kFilingServiceUrl));
    qputenv("LEDGERLY_FILING_URL", "https://example.test/file");
    QCOMPARE(FilingServiceUrl(), QString("https://example.test/file"));
    qunsetenv("LEDGERLY_FILING_URL");
  }

  void pathToUrl() {
    QCOMPARE(PathToUrl({}), QString());
    QCOMPARE(PathToUrl("/home/a b/temphtm.HTM"), QString("file:///home/a%20b/temphtm.HTM"));
  }
};

QTEST_MAIN(BrowserHandoffTest)
#include "BrowserHandoffTest.moc"
