// Finding and starting the desktop's browser, with a stand-in xdg-mime and
// desktop entry.
#include "desktop/report/XdgBrowser.h"
#include "gui/GuiTestSupport.h"

using ledgerly::gui::XdgBrowser;
using namespace ledgerly::test;

class XdgBrowserTest : public QObject {
  Q_OBJECT

  TempFolder home_;
  std::filesystem::path bin_ = home_.path() / "bin";

  // xdg-mime answers entry (nothing: there is no xdg-mime); fakebrowser.desktop starts exec.
  void Desktop(const QString& entry, const QString& exec) {
    std::filesystem::remove_all(home_.path());
    std::filesystem::create_directories(bin_);
    std::filesystem::create_directories(home_.path() / "applications");
    std::ofstream(home_.path() / "applications" / "fakebrowser.desktop")
        << "[Desktop Entry]\nName=Fake\nExec=" + exec.toStdString() +
               "\n[Desktop Action New]\nExec=other\n";
    if (!entry.isNull()) Script("xdg-mime", "echo '" + entry.toStdString() + "'");
  }
  void Script(const char* name, const std::string& body) {
    std::ofstream(bin_ / name) << "#!/bin/sh\n" + body + "\n";
    std::filesystem::permissions(bin_ / name, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
  }

 private slots:
  void initTestCase() {
    qputenv("PATH", QByteArray::fromStdString(bin_.string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_.path().string()));
    qputenv("XDG_DATA_DIRS", "/nonexistent");
  }
  void startsTheDefaultBrowserOnTheTarget() {
    Desktop("fakebrowser.desktop", "fakebrowser --new-window %u");
    const std::string args = (home_.path() / "args").string();
    Script("fakebrowser",
           "echo \"$@\" > '" + args + ".tmp' && /bin/mv '" + args + ".tmp' '" + args + "'");
    XdgBrowser browser;
    const auto program = browser.FindBrowser("/tmp/temphtm.HTM");
    QCOMPARE(program, std::optional<QString>(FileName(bin_ / "fakebrowser")));
    QVERIFY(browser.OpenWith(*program, "file:///tmp/temphtm.HTM"));
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(args), 10000);
    QCOMPARE(ReadFile(args), "--new-window file:///tmp/temphtm.HTM\n");
    QVERIFY(!browser.OpenWith("nosuchbrowser", "file:///tmp/temphtm.HTM"));
  }
  void noBrowser() {
    // No xdg-mime, no default browser, no desktop entry for the default.
    for (const QString& entry : {QString(), QString(""), QString("otherbrowser.desktop")}) {
      Desktop(entry, "fakebrowser %u");
      QVERIFY2(!XdgBrowser().FindBrowser("/tmp/temphtm.HTM"), qPrintable(entry));
    }
  }
};

QTEST_MAIN(XdgBrowserTest)
#include "XdgBrowserTest.moc"
