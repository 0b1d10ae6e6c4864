// The help window and the help pages it shows.
#include <QTextBrowser>
#include <QtTest>

#include "desktop/common/HelpWindow.h"

using namespace ledgerly::gui;

class HelpWindowTest : public QObject {
  Q_OBJECT

  const QDir folder_{QDir::cleanPath(LEDGERLY_TEST_DATA "/../../share/help")};

  QString Read(const QString& page) const {
    QFile file(folder_.filePath(page));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

 private slots:
  // Help Contents opens the welcome page, once per owner; missing pages are said so.
  void contents() {
    QWidget owner;
    QTextBrowser* browser = ShowHelpContents(&owner, folder_.path())->browser();
    QCOMPARE(browser->documentTitle(), QString("Welcome to Ledgerly"));
    browser->setSource(QUrl("CommandLine.htm"));
    QCOMPARE(ShowHelpContents(&owner, folder_.path())->browser(), browser);
    QCOMPARE(browser->source().fileName(), QString("Welcome.htm"));
    QWidget other;
    QVERIFY(ShowHelpContents(&other, "/nonexistent")
                ->browser()
                ->toPlainText()
                .contains("Welcome.htm could not be found"));
  }
  // Every link between the help pages leads to a page, and every #anchor to its mark.
  void linksLeadSomewhere() {
    const QStringList pages = folder_.entryList({"*.htm"});
    for (const QString& page : pages) {
      const QRegularExpression link("href=\"([^\"#]*)#?([^\"]*)\"");
      for (const auto& match : link.globalMatch(Read(page))) {
        if (match.captured(1).startsWith("http")) continue;
        const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
        const QString mark = "name=\"" + match.captured(2) + "\"";
        QVERIFY2(
            pages.contains(target) && (match.captured(2).isEmpty() || Read(target).contains(mark)),
            qPrintable(page + ": " + match.captured(0)));
      }
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
