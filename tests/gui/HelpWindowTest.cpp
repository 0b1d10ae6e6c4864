// The help window and the help pages it shows.
#include <QDir>
#include <QRegularExpression>
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
  void contentsOpensTheWelcomePageOncePerOwner() {
    QWidget owner;
    HelpWindow* window = ShowHelpContents(&owner, folder_.path());
    QVERIFY(window->isVisible());
    QCOMPARE(window->browser()->documentTitle(), QString("Welcome to Ledgerly"));
    window->browser()->setSource(QUrl("CommandLine.htm"));
    QVERIFY(window->browser()->toPlainText().contains("ledgerly-cli"));
    QCOMPARE(ShowHelpContents(&owner, folder_.path()), window);
    QCOMPARE(window->browser()->source().fileName(), QString("Welcome.htm"));
    QWidget other;
    QVERIFY(ShowHelpContents(&other, "/nonexistent/help")
                ->browser()
                ->toPlainText()
                .contains("Welcome.htm could not be found"));
  }

  // Every link between the help pages leads to a page, and every #anchor to its mark.
  void linksLeadSomewhere() {
    const QStringList pages = folder_.entryList({"*.htm"});
    QVERIFY(pages.contains("Welcome.htm"));
    for (const QString& page : pages) {
      for (const auto& match :
           QRegularExpression("href=\"([^\"#]*)#?([^\"]*)\"").globalMatch(Read(page))) {
        if (match.captured(1).startsWith("http")) continue;
        const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
        const QString anchor = match.captured(2);
        QVERIFY2(pages.contains(target), qPrintable(page + ": " + match.captured(0)));
        QVERIFY2(anchor.isEmpty() || Read(target).contains("name=\"" + anchor + "\""),
                 qPrintable(page + ": " + match.captured(0)));
      }
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
