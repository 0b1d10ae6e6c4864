#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace ledgerly::gui {

struct ReportSettings;

// frmReport: the text report's preview with Save As and Font, and the
// builder of both report forms (FormatReport).
class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTextMode = 2;
  static constexpr int kHtmlMode = 3;

  ReportWindow(ReportSettings& settings, std::filesystem::path data_folder,
               std::filesystem::path database, QWidget* parent = nullptr);

  // Builds the report from the result database: mode 2 into the preview,
  // mode 3 to temphtm.HTM and the browser. Failures throw.
  void FormatReport(int mode);

  QString ReportText() const;
  QString PrintFontName() const { return print_font_name_; }
  int PrintFontSize() const { return print_font_size_; }

  // Save As: asks for a file and writes the text to it (replacing it).
  // Returns the file name, or nothing when the dialog was cancelled.
  std::optional<QString> SaveAs(const std::string& text);

 private:
  void cmdSave_Click();
  void cmdFont_Click();
  // The preview's font, which the printout takes too.
  QFont PrintFont() const;
  void ApplyFont();
  void HandOverHtmlReport(const std::filesystem::path& file);

 public:
  // The Print command: the print dialog, then the report on the printer.
  void cmdPrint_Click();

 private:
  ReportSettings& settings_;
  std::filesystem::path data_folder_;
  std::filesystem::path database_;
  QString print_font_name_ = QStringLiteral("Courier");
  int print_font_size_ = 10;
  QPlainTextEdit* text1_;
  QPushButton* cmd_print_;
  QPushButton* cmd_font_;
  QPushButton* cmd_save_;
  QPushButton* cmd_close_;
};

}  // namespace ledgerly::gui
