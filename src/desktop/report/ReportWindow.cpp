#include "desktop/report/ReportWindow.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "desktop/common/Dialogs.h"
#include "desktop/common/ErrorNotice.h"
#include "desktop/report/BrowserHandoff.h"
#include "desktop/report/PreviewSink.h"
#include "desktop/report/ReportFile.h"
#include "desktop/report/ReportPrinter.h"
#include "desktop/report/ReportSettings.h"
#include "reports/HtmlReport.h"
#include "reports/TempHtml.h"
#include "reports/WriteReport.h"

namespace ledgerly::gui {
namespace {

int WrapWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? WrapWidthForScreen(screen->geometry().width()) : kDefaultWrapWidth;
}

// The preview shows line breaks; the files get CR LF back.
QString ToPreviewText(std::string_view report_text) {
  return QString::fromUtf8(report_text.data(), static_cast<qsizetype>(report_text.size()))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// An installed fixed-pitch family for a font name, so that the font dialog
// finds the font in use and the printout matches the preview: the name itself
// when installed, else the family the system puts in its place when that is
// fixed pitch, else the system's fixed font, else (a platform whose fixed font
// is not installed, such as Qt's offscreen one) the first fixed-pitch family.
QString InstalledFixedFamily(const QString& name) {
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families) {
    if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
  }
  QFont wanted(name);
  wanted.setStyleHint(QFont::TypeWriter);
  const QFontInfo used(wanted);
  if (used.fixedPitch()) return used.family();
  const QFontInfo system(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  if (system.fixedPitch()) return system.family();
  for (const QString& family : families) {
    if (QFontDatabase::isFixedPitch(family)) return family;
  }
  return system.family();
}

// Centred on the owner (or the screen), within the screen, never larger than it.
QRect ReportGeometry(const QWidget* owner) {
  QSize size(1000, 760);
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return QRect(QPoint(0, 0), size);
  const QRect available = screen->availableGeometry();
  size = size.boundedTo(available.size() - QSize(7, 40));
  QRect geometry(QPoint(0, 0), size);
  geometry.moveCenter(owner ? owner->frameGeometry().center() : available.center());
  geometry.moveLeft(
      std::clamp(geometry.left(), available.left(), available.right() - size.width()));
  geometry.moveTop(std::clamp(geometry.top(), available.top(), available.bottom() - size.height()));
  return geometry;
}

std::string ToFileText(const QString& preview_text) {
  QString text = preview_text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text.toStdString();
}

}  // namespace

ReportWindow::ReportWindow(ReportSettings& settings, std::filesystem::path data_folder,
                           std::filesystem::path database, QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_(settings),
      data_folder_(std::move(data_folder)),
      database_(std::move(database)),
      text1_(new QPlainTextEdit(this)),
      cmd_print_(new QPushButton(QStringLiteral("&Print..."), this)),
      cmd_font_(new QPushButton(QStringLiteral("&Font..."), this)),
      cmd_save_(new QPushButton(QStringLiteral("&Save As..."), this)),
      cmd_close_(new QPushButton(QStringLiteral("&Close"), this)) {
  setObjectName(QStringLiteral("frmReport"));
  setWindowTitle(QStringLiteral("Report"));
  setAttribute(Qt::WA_DeleteOnClose);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // What Save As writes and Print prints is the report, so nothing can be typed into it.
  text1_->setReadOnly(true);
  cmd_print_->setObjectName(QStringLiteral("cmdPrint"));
  cmd_font_->setObjectName(QStringLiteral("cmdFont"));
  cmd_save_->setObjectName(QStringLiteral("cmdSave"));
  cmd_close_->setObjectName(QStringLiteral("cmdClose"));
  connect(cmd_print_, &QPushButton::clicked, this, &ReportWindow::cmdPrint_Click);
  connect(cmd_font_, &QPushButton::clicked, this, &ReportWindow::cmdFont_Click);
  connect(cmd_save_, &QPushButton::clicked, this, &ReportWindow::cmdSave_Click);
  connect(cmd_close_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(20);
  buttons->addStretch(1);
  for (QPushButton* button : {cmd_print_, cmd_font_, cmd_save_, cmd_close_}) {
    button->setMinimumWidth(110);
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 7, 10, 12);
  layout->setSpacing(12);
  layout->addWidget(text1_, 1);
  layout->addLayout(buttons);

  const QRect geometry = ReportGeometry(parent);
  resize(geometry.size());
  move(geometry.topLeft());
  ApplyFont();
}

QString ReportWindow::ReportText() const {
  return text1_->toPlainText();
}

QFont ReportWindow::PrintFont() const {
  QFont font(InstalledFixedFamily(print_font_name_), print_font_size_);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

void ReportWindow::ApplyFont() {
  const QFont font = PrintFont();
  text1_->setFont(font);
  text1_->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 8);
}

void ReportWindow::FormatReport(int mode) {
  const BusyPointer busy;
  if (mode == kTextMode) {
    PreviewSink sink({
        [this] { cmd_save_->setEnabled(false); },
        [this] {
          return MessageBox::Show(this, QMessageBox::Warning, QStringLiteral("Report Too Large"),
                                  QStringLiteral("This report is too large to fit into the text "
                                                 "preview.  Do you want to save it as ") +
                                      "a text file?",
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        },
        [this](const std::string& text) -> std::optional<std::string> {
          const auto file = SaveAs(text);
          if (!file) {
            settings_.dialog_cancelled = false;
            return std::nullopt;
          }
          return file->toStdString();
        },
        [](const std::string& file, const std::string& text) {
          WriteReportFile(QString::fromStdString(file), text, false);
        },
    });
    WriteReport(database_, ReportFormat::Text, WrapWidth(), sink);
    text1_->setPlainText(ToPreviewText(sink.Finish()));
    return;
  }
  TempHtmlSink sink(data_folder_);
  WriteReport(database_, ReportFormat::Html, WrapWidth(), sink);
  HandOverHtmlReport(sink.Finish());
}

// The browser shows (or prints) the page; when it cannot, the user may have
// the text report instead.
void ReportWindow::HandOverHtmlReport(const std::filesystem::path& file) {
  if (OpenHtmlReport(this, file, settings_.print_requested, DesktopBrowser(), &MessageBox::Show)) {
    return;
  }
  settings_.report_choice = kTextReport;
  if (settings_.print_requested) {
    cmdPrint_Click();
    return;
  }
  FormatReport(kTextMode);
  show();
}

void ReportWindow::cmdPrint_Click() {
  try {
    PrintReport(this, database_, PrintFont());
  } catch (const std::exception& e) {
    ShowErrorNotice(this, e);
  }
}

std::optional<QString> ReportWindow::SaveAs(const std::string& text) {
  auto file =
      FileDialog::getSaveFileName(this, QStringLiteral("Please Enter File Name"),
                                  QStringLiteral("ASCII Text Files (*.txt);;All Files (*)"));
  if (!file) {
    settings_.dialog_cancelled = true;
    return std::nullopt;
  }
  WriteReportFile(*file, text, true);
  return file;
}

void ReportWindow::cmdSave_Click() {
  try {
    SaveAs(ToFileText(text1_->toPlainText()));
    settings_.dialog_cancelled = false;
  } catch (const std::exception& e) {
    ShowErrorNotice(this, e);
  }
}

void ReportWindow::cmdFont_Click() {
  const auto chosen = FontDialog::getFont(this, QStringLiteral("Select Print Font"), PrintFont());
  if (!chosen) return;
  if (!chosen->family().isEmpty()) print_font_name_ = chosen->family();
  const double size = chosen->pointSizeF();
  print_font_size_ = size < 8 ? 8 : size > 20 ? 20 : static_cast<int>(std::nearbyint(size));
  ApplyFont();
}

}  // namespace ledgerly::gui
