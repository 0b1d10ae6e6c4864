// The help window and the help pages it shows.
#include <QDir>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

#include "desktop/common/HelpWindow.h"

using namespace ledgerly::gui;

namespace {

const QString kHelpFolder = QDir::cleanPath(LEDGERLY_TEST_DATA "/../../share/help");

QString Read(const QString& file) {
  QFile page(file);
  page.open(QIODevice::ReadOnly);
  return QString::fromUtf8(page.readAll());
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void contentsOpensTheWelcomePageOncePerOwner() {
    QWidget owner;
    HelpWindow* window = ShowHelpContents(&owner, kHelpFolder);
    QVERIFY(window->isVisible());
    QCOMPARE(window->objectName(), QString("HelpWindow"));
    QCOMPARE(window->browser()->source().fileName(), QString("Welcome.htm"));
    QCOMPARE(window->browser()->documentTitle(), QString("Welcome to Ledgerly"));

    window->browser()->setSource(QUrl("CommandLine.htm"));
    QVERIFY(window->browser()->toPlainText().contains("ledgerly-cli"));
    QCOMPARE(ShowHelpContents(&owner, kHelpFolder), window);
    QCOMPARE(window->browser()->source().fileName(), QString("Welcome.htm"));
  }

  void missingHelpPagesAreSaidSo() {
    QWidget owner;
    HelpWindow* window = ShowHelpContents(&owner, "/nonexistent/help");
    QVERIFY(window->browser()->toPlainText().contains("Welcome.htm could not be found"));
  }

  // Every link between the help pages leads to a page, and every #anchor to its mark.
  void linksLeadSomewhere() {
    const QDir folder(kHelpFolder);
    const QStringList pages = folder.entryList({"*.htm"});
    QVERIFY(pages.contains("Welcome.htm"));
    const QRegularExpression href("href=\"([^\"]*)\"");
    for (const QString& page : pages) {
      const QString html = Read(folder.filePath(page));
      for (const auto& match : href.globalMatch(html)) {
        const QString link = match.captured(1);
        if (link.startsWith("http")) continue;
        const QString file = link.section('#', 0, 0);
        const QString anchor = link.section('#', 1);
        const QString target = file.isEmpty() ? page : file;
        QVERIFY2(pages.contains(target), qPrintable(page + ": " + link));
        if (!anchor.isEmpty()) {
          QVERIFY2(Read(folder.filePath(target)).contains("name=\"" + anchor + "\""),
                   qPrintable(page + ": " + link));
        }
      }
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
