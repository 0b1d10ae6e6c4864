// Finding and starting the desktop's browser, with a stand-in xdg-mime.
#include "desktop/report/XdgBrowser.h"
#include "gui/GuiTestSupport.h"

using ledgerly::gui::XdgBrowser;
using namespace ledgerly::test;

class XdgBrowserTest : public QObject {
  Q_OBJECT

  TempFolder home_;
  std::filesystem::path bin_ = home_.path() / "bin";

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
  // The default browser is found and started on the target; without one, none is found.
  void defaultBrowser() {
    std::filesystem::create_directories(bin_);
    std::filesystem::create_directories(home_.path() / "applications");
    std::ofstream(home_.path() / "applications" / "fakebrowser.desktop")
        << "[Desktop Entry]\nExec=fakebrowser --new-window %u\n[Desktop Action New]\nExec=other\n";
    Script("xdg-mime", "echo fakebrowser.desktop");
    const std::string args = (home_.path() / "args").string();
    Script("fakebrowser", "echo \"$@\" > '" + args + "'");
    XdgBrowser browser;
    const auto program = browser.FindBrowser("/tmp/temphtm.HTM");
    QCOMPARE(program, std::optional<QString>(FileName(bin_ / "fakebrowser")));
    QVERIFY(browser.OpenWith(*program, "file:///tmp/temphtm.HTM"));
    QTRY_COMPARE_WITH_TIMEOUT(ReadFile(args), "--new-window file:///tmp/temphtm.HTM\n", 10000);
    std::filesystem::remove(bin_ / "xdg-mime");
    QVERIFY(!XdgBrowser().FindBrowser("/tmp/temphtm.HTM"));
  }
};

QTEST_MAIN(XdgBrowserTest)
#include "XdgBrowserTest.moc"
