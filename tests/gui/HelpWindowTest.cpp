// The help window and the help pages it shows.
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "desktop/common/HelpWindow.h"

class HelpWindowTest : public QObject {
  Q_OBJECT
 private slots:
  // Help Contents opens the welcome page, once per owner; missing pages are said so.
  void contents() {
    const QDir folder(QDir::cleanPath(LEDGERLY_TEST_DATA "/../../share/help"));
    QWidget owner, other;
    QTextBrowser* browser = ledgerly::gui::ShowHelpContents(&owner, folder.path())->browser();
    QCOMPARE(browser->documentTitle(), QString("Welcome to Ledgerly"));
    browser->setSource(QUrl("CommandLine.htm"));
    QCOMPARE(ledgerly::gui::ShowHelpContents(&owner, folder.path())->browser(), browser);
    QCOMPARE(browser->source().fileName(), QString("Welcome.htm"));
    QVERIFY(ledgerly::gui::ShowHelpContents(&other, "/nonexistent")
                ->browser()
                ->toPlainText()
                .contains("Welcome.htm could not be found"));
  }
  // The pages are found beside the program, in an installed or moved tree, or
  // else in the source tree the program was built from.
  void pagesAreFoundWhereverTheProgramRuns() {
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("data")));
    const QDir program(root.filePath("bin"));
    QCOMPARE(ledgerly::gui::FindHelpFolder(program.path()),
             QDir::cleanPath(LEDGERLY_TEST_DATA "/../../share/help"));
    for (const char* help : {"../share/ledgerly/help", "help"}) {  // the nearest wins
      const QString folder = QDir::cleanPath(program.filePath(help));
      QVERIFY(QDir().mkpath(folder));
      QVERIFY(QFile(folder + "/Welcome.htm").open(QIODevice::WriteOnly));
      QCOMPARE(ledgerly::gui::FindHelpFolder(program.path()), folder);
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
