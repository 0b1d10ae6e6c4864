// Finding and starting the desktop's browser, with a stand-in xdg-mime and
// desktop entry.
#include <QFile>
#include <QtTest>

#include "desktop/report/XdgBrowser.h"
#include "gui/GuiTestSupport.h"

using ledgerly::gui::XdgBrowser;
using namespace ledgerly::test;

class XdgBrowserTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> home_;
  QByteArray saved_path_;
  std::filesystem::path bin() const { return home_->path() / "bin"; }

  static void WriteScript(const std::filesystem::path& path, const std::string& content) {
    WriteFile(path, "#!/bin/sh\n" + content);
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
  }

  // xdg-mime answers entry; the entry fakebrowser.desktop starts exec.
  void Desktop(const std::string& entry, const std::string& exec) {
    WriteScript(bin() / "xdg-mime", "echo '" + entry + "'\n");
    std::filesystem::create_directories(home_->path() / "data" / "applications");
    WriteFile(home_->path() / "data" / "applications" / "fakebrowser.desktop",
              "[Desktop Entry]\nName=Fake\nExec=" + exec + "\n[Desktop Action New]\nExec=other\n");
  }

 private slots:
  void init() {
    home_ = std::make_unique<TempFolder>();
    saved_path_ = qgetenv("PATH");
    std::filesystem::create_directories(bin());
    qputenv("PATH", QByteArray::fromStdString(bin().string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home_->path() / "data").string()));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString((home_->path() / "none").string()));
  }
  void cleanup() { qputenv("PATH", saved_path_); }

  void startsTheDefaultBrowserOnTheTarget() {
    const std::string args = (home_->path() / "args").string();
    WriteScript(bin() / "fakebrowser",
                "echo \"$@\" > '" + args + ".tmp' && /bin/mv '" + args + ".tmp' '" + args + "'\n");
    Desktop("fakebrowser.desktop", "fakebrowser --new-window %u");
    XdgBrowser browser;
    const auto program = browser.FindBrowser("/tmp/temphtm.HTM");
    QCOMPARE(program, std::optional<QString>(FileName(bin() / "fakebrowser")));
    QVERIFY(browser.OpenWith(*program, "file:///tmp/temphtm.HTM"));
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(args), 10000);
    QCOMPARE(ReadFile(args), std::string("--new-window file:///tmp/temphtm.HTM\n"));
  }

  void noBrowser_data() {
    QTest::addColumn<QString>("entry");  // empty: no xdg-mime at all
    QTest::newRow("no xdg-mime") << "";
    QTest::newRow("no default") << "''";
    QTest::newRow("no desktop entry") << "otherbrowser.desktop";
  }

  void noBrowser() {
    QFETCH(QString, entry);
    if (!entry.isEmpty()) Desktop(entry == "''" ? "" : entry.toStdString(), "fakebrowser %u");
    QVERIFY(!XdgBrowser().FindBrowser("/tmp/temphtm.HTM"));
  }

  void missingProgramIsFoundButDoesNotStart() {
    Desktop("fakebrowser.desktop", "nosuchbrowser %U");
    XdgBrowser browser;
    const auto program = browser.FindBrowser("/tmp/temphtm.HTM");
    QCOMPARE(program, std::optional<QString>("nosuchbrowser"));
    QVERIFY(!browser.OpenWith(*program, "file:///tmp/temphtm.HTM"));
  }

  void execArguments_data() {
    QTest::addColumn<QStringList>("exec");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("url code") << QStringList{"--new-window", "%u"} << "T"
                              << QStringList{"--new-window", "T"};
    QTest::newRow("no code: target at the end")
        << QStringList{"-a"} << "T" << QStringList{"-a", "T"};
    QTest::newRow("no target: started without a page")
        << QStringList{"%U", "%i"} << "" << QStringList{};
    QTest::newRow("entry codes dropped") << QStringList{"%c", "%F"} << "T" << QStringList{"T"};
  }

  void execArguments() {
    QFETCH(QStringList, exec);
    QFETCH(QString, target);
    QFETCH(QStringList, arguments);
    QCOMPARE(XdgBrowser::ExecArguments(exec, target), arguments);
  }
};

QTEST_MAIN(XdgBrowserTest)
#include "XdgBrowserTest.moc"
