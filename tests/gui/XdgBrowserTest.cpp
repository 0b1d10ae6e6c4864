// Finding and starting the desktop's browser, with a stand-in xdg-mime and
// desktop entry.
#include <QFile>
#include <QtTest>

#include "desktop/report/XdgBrowser.h"
#include "support/ResultDbBuilder.h"

using ledgerly::gui::XdgBrowser;
using ledgerly::test::TempFolder;

namespace {

QString Write(const std::filesystem::path& path, const QString& content, bool executable = false) {
  std::filesystem::create_directories(path.parent_path());
  const QString name = QString::fromStdString(path.string());
  QFile file(name);
  file.open(QIODevice::WriteOnly);
  file.write(content.toUtf8());
  file.close();
  if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner);
  return name;
}

}  // namespace

class XdgBrowserTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> home_;
  QByteArray saved_path_;
  std::filesystem::path bin() const { return home_->path() / "bin"; }

  // xdg-mime answers entry; the entry starts program.
  void Desktop(const QString& entry, const QString& exec) {
    Write(bin() / "xdg-mime", "#!/bin/sh\necho '" + entry + "'\n", true);
    Write(home_->path() / "data" / "applications" / "fakebrowser.desktop",
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
    const QString args = QString::fromStdString((home_->path() / "args").string());
    const QString program = Write(bin() / "fakebrowser",
                                  "#!/bin/sh\necho \"$@\" > '" + args + ".tmp' && /bin/mv '" +
                                      args + ".tmp' '" + args + "'\n",
                                  true);
    Desktop("fakebrowser.desktop", "fakebrowser --new-window %u");
    XdgBrowser browser;
    QCOMPARE(browser.FindBrowser("/tmp/temphtm.HTM"), std::optional<QString>(program));
    QVERIFY(browser.OpenWith(program, "file:///tmp/temphtm.HTM"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(args), 10000);
    QFile written(args);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().trimmed(), QByteArray("--new-window file:///tmp/temphtm.HTM"));
  }

  void noBrowserWithoutADefault() {
    Desktop("", "fakebrowser %u");
    QVERIFY(!XdgBrowser().FindBrowser("/tmp/temphtm.HTM"));
  }

  void noBrowserWithoutXdgMime() { QVERIFY(!XdgBrowser().FindBrowser("/tmp/temphtm.HTM")); }

  void noBrowserWithoutItsDesktopEntry() {
    Desktop("otherbrowser.desktop", "fakebrowser %u");
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
