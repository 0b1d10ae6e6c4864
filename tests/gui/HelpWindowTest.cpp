// The help window and the help pages it shows.
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
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
