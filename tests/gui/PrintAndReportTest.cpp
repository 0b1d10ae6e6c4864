// What a user meets around the report window: the font dialog, printing
// (pointer, page count, range, margins), Save As, file dialog folders and help.
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "desktop/common/HelpWindow.h"
#include "desktop/report/ReportPrintDialog.h"
#include "desktop/report/ReportPrinter.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "gui/GuiTestSupport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

QStringList MessageTexts() {
  QStringList texts;
  for (const auto& shown : gui::MessageBox::shown()) texts << shown.text;
  return texts;
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Records RW 1..records with one error each, the user entry as given.
void FillResults(ResultDbBuilder& results, int records, const std::string& user_entry = "[A]") {
  results.Exec("BEGIN");
  results.AddMisc("/data/W2REPORT.TXT", "12/06/2011");
  for (int r = 1; r <= records; ++r) {
    results.AddRecord(r, "RW", "123456789");
    results.AddError(r, "Social Security Wages [Position 210 - 220]", user_entry,
                     "Must be numeric. No negative amounts; right justify and zero fill.");
  }
  results.Exec("COMMIT");
}

gui::ReportPrintDialog::Answer ToPdf(const QString& file) {
  gui::ReportPrintDialog::Answer answer;
  answer.output_file = file;
  return answer;
}

int PdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return 0;
  return static_cast<int>(
      QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// Runs check on the modal dialog the next command shows, then accepts it.
void OnModalDialog(std::function<void(QDialog&)> check) {
  QTimer::singleShot(0, [check] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    check(*dialog);
    dialog->accept();
  });
}

}  // namespace

class PrintAndReportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ScriptEveryPrompt();
    gui::ReportPrintDialog::setScripted(true);
    gui::ReportPrintDialog::reset();
  }

  // OK without a change keeps the preview's fixed-pitch font, and only
  // fixed-pitch fonts of 8 to 20 points are offered.
  void fontDialogStartsAtTheFontInUse() {
    ResultDbBuilder results;
    FillResults(results, 1);
    gui::ReportSettings settings;
    gui::ReportWindow report(settings, results.folder(), results.path());
    const QFont before = report.findChild<QPlainTextEdit*>("Text1")->font();
    QVERIFY(QFontInfo(before).fixedPitch());

    gui::FontDialog::setScripted(false);
    QList<int> sizes;
    OnModalDialog([&](QDialog& dialog) {
      QCOMPARE(static_cast<QFontDialog&>(dialog).currentFont().family(), before.family());
      for (QListView* list : dialog.findChildren<QListView*>()) {
        for (int row = 0; row < list->model()->rowCount(); ++row) {
          bool number = false;
          const int size = list->model()->index(row, 0).data().toInt(&number);
          if (number && !list->isRowHidden(row)) sizes << size;
        }
      }
    });
    report.findChild<QPushButton*>("cmdFont")->click();
    QVERIFY(!sizes.isEmpty());
    QCOMPARE(*std::min_element(sizes.begin(), sizes.end()), 8);
    QCOMPARE(*std::max_element(sizes.begin(), sizes.end()), 20);
    const QFont after = report.findChild<QPlainTextEdit*>("Text1")->font();
    QCOMPARE(after.family(), before.family());
    QCOMPARE(after.pointSize(), 10);
    QVERIFY(QFontInfo(after).fixedPitch());
  }

  // Counting the pages of a long report takes a while: the pointer says so.
  void pageCountShowsTheBusyPointer() {
    ResultDbBuilder results;
    FillResults(results, 50);
    std::optional<Qt::CursorShape> while_counting;
    QTimer::singleShot(0, [&] {
      if (QApplication::overrideCursor()) while_counting = QApplication::overrideCursor()->shape();
    });
    QVERIFY(!gui::PrintReport(nullptr, results.path(), QFont("Courier", 10)));  // cancelled
    QCOMPARE(while_counting, std::optional(Qt::WaitCursor));
    QVERIFY(!QApplication::overrideCursor());
  }

  void offeredPagesArePrintedPages_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("entry_length");
    QTest::addColumn<int>("font_size");
    QTest::newRow("one error per record") << 400 << 3 << 10;
    QTest::newRow("entries wrapped over lines") << 60 << 400 << 10;
    QTest::newRow("large font") << 150 << 3 << 20;
  }

  void offeredPagesArePrintedPages() {
    QFETCH(int, records);
    QFETCH(int, entry_length);
    QFETCH(int, font_size);
    ResultDbBuilder results;
    FillResults(results, records, "[" + std::string(entry_length - 2, 'Q') + "]");
    const QString file = FileName(results.folder() / "report.pdf");
    gui::ReportPrintDialog::setNextAnswer(ToPdf(file));
    QVERIFY(gui::PrintReport(nullptr, results.path(), QFont("Courier", font_size)));
    QCOMPARE(gui::ReportPrintDialog::offers().front().max, PdfPages(file));
    QVERIFY(gui::MessageBox::shown().isEmpty());
  }

  void rangePastTheEndIsSaidSo() {
    ResultDbBuilder results;
    FillResults(results, 40);
    const QString file = FileName(results.folder() / "range.pdf");
    auto answer = ToPdf(file);
    answer.page_size = QPageSize(QPageSize::A3);  // fewer pages than offered
    answer.pages = {2, 9};
    gui::ReportPrintDialog::setNextAnswer(answer);
    QVERIFY(gui::PrintReport(nullptr, results.path(), QFont("Courier", 10)));
    const int pages = PdfPages(file) + 1;
    QVERIFY(pages >= 2 && pages < 9);
    QCOMPARE(MessageTexts(), QStringList{QString("The report has %1 page(s).  Pages %2 to 9 do not "
                                                 "exist and were not printed.")
                                             .arg(pages)
                                             .arg(pages + 1)});
  }

  // Text keeps half an inch from the paper's edges and runs to the right margin.
  void printoutUsesTheWidthWithinMargins() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is missing");
    ResultDbBuilder results;
    FillResults(results, 3, "[" + std::string(300, 'Q') + "]");
    const QString file = FileName(results.folder() / "margins.pdf");
    gui::ReportPrintDialog::setNextAnswer(ToPdf(file));
    QVERIFY(gui::PrintReport(nullptr, results.path(), QFont("Courier", 10)));

    QProcess process;
    process.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", file, "-"});
    QVERIFY(process.waitForFinished());
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    const auto width = QRegularExpression("<page width=\"([\\d.]+)\"").match(page);
    QVERIFY(width.hasMatch());
    const double right_margin = width.captured(1).toDouble() - 36;
    double left = 1e9, right = 0;
    const QRegularExpression word("xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"");
    for (const auto& match : word.globalMatch(page)) {
      left = std::min(left, match.captured(1).toDouble());
      right = std::max(right, match.captured(2).toDouble());
    }
    QVERIFY2(left >= 35.5, qPrintable(QString::number(left)));
    QVERIFY2(right <= right_margin + 0.5 && right > right_margin - 12,
             qPrintable(QString("%1 of %2").arg(right).arg(right_margin)));
  }

  // Centred on the main window, out of the way of its buttons; stray keys
  // never reach what Save As writes.
  void reportWindowIsCentredAndReadOnly() {
    ResultDbBuilder results;
    FillResults(results, 2);
    gui::MainWindow window(results.folder());
    window.setGeometry(600, 250, 700, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Choose(window, "cmdLast");
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Choose(window, "cmdErrors");
    gui::ReportWindow* report = window.CurrentReportWindow();
    QVERIFY(report && report->isVisible());
    const QPoint offset = report->frameGeometry().center() - window.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 40,
             qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));

    auto* preview = report->findChild<QPlainTextEdit*>("Text1");
    const QString text = preview->toPlainText();
    QTest::keyClicks(preview, "stray");
    QCOMPARE(preview->toPlainText(), text);
  }

  // The first dialog opens in the documents folder, the next where the last
  // file was chosen; a new file is created only after Yes.
  void saveAsStartsInTheLastFolderAndAsksBeforeCreating() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(gui::FileDialog::StartFolder(),
             QFileInfo(documents).isDir() ? documents : QDir::homePath());
    ResultDbBuilder results;
    FillResults(results, 2);
    TempFolder folder;
    const auto fresh = folder.path() / "new.txt";
    const auto existing = folder.path() / "old.txt";
    WriteFile(existing, "old");
    gui::ReportSettings settings;
    gui::ReportWindow report(settings, results.folder(), results.path());
    report.FormatReport(gui::ReportWindow::kTextMode);

    gui::FileDialog::setNextFileName(FileName(fresh));  // No: back to the dialog
    gui::FileDialog::setNextFileName(FileName(existing));
    report.findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(MessageTexts(),
             QStringList{FileName(fresh) + "\r\nThis file does not exist.\r\nDo you want to "
                                           "create it?"});
    QCOMPARE(gui::FileDialog::titles().size(), 2);
    QVERIFY(!std::filesystem::exists(fresh));
    QVERIFY(ReadFile(existing).starts_with("\tLEDGERLY TAX YEAR"));
    QCOMPARE(gui::FileDialog::StartFolder(), FileName(folder.path()));
  }

  void helpIsFoundWhereverTheProgramRuns_data() {
    QTest::addColumn<QString>("help");  // where the pages lie, from the program's folder
    QTest::newRow("beside the program") << "help";
    QTest::newRow("installed or moved tree") << "../share/ledgerly/help";
    QTest::newRow("build folder") << QString();
  }

  void helpIsFoundWhereverTheProgramRuns() {
    QFETCH(QString, help);
    TempFolder root;
    qputenv("XDG_DATA_HOME", QFile::encodeName(FileName(root.path() / "data")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(FileName(root.path() / "data")));
    const QDir program(FileName(root.path() / "bin"));
    QVERIFY(program.mkpath("."));
    QString expected = QDir::cleanPath(LEDGERLY_TEST_DATA "/../../share/help");
    if (!help.isEmpty()) {
      expected = QDir::cleanPath(program.filePath(help));
      QVERIFY(QDir().mkpath(expected));
      WriteFile((expected + "/Welcome.htm").toStdString(), "<html></html>");
    }
    QCOMPARE(gui::FindHelpFolder(program.path()), expected);
  }
};

int main(int argc, char** argv) {
  // A desktop-sized screen, so that one window can be centred on another.
  QTemporaryDir folder;
  const QString config = folder.filePath("screen.json");
  WriteFile(config.toStdString(),
            R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,
                              "logicalDpi": 96}]})");
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
  QApplication app(argc, argv);
  PrintAndReportTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "PrintAndReportTest.moc"
