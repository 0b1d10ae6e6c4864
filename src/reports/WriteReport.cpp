#include "reports/WriteReport.h"

#include <memory>

#include "engine/ResultClaim.h"
#include "reports/CsvReport.h"
#include "reports/Diagnoses.h"
#include "reports/ErrorSummary.h"
#include "reports/GithubReport.h"
#include "reports/HtmlReport.h"
#include "reports/JUnitReport.h"
#include "reports/JsonReport.h"
#include "reports/SarifReport.h"
#include "reports/SummaryReport.h"
#include "reports/TextReport.h"

namespace ledgerly {
namespace {

std::vector<ErrorSummaryRow> MaskedErrorSummary(const Database& db, const ReportMask& mask) {
  std::vector<ErrorSummaryRow> rows = ReadErrorSummary(db);
  if (mask.Any()) MaskSummaryRows(rows, mask);
  return rows;
}

std::vector<BlockStart> EmployerBlocks(const Database& db, const ReportMask& mask) {
  std::vector<BlockStart> blocks = ResultReader(db).EmployerBlocks();
  if (mask.ein) {
    for (BlockStart& block : blocks) block.ein = MaskedEin(block.ein);
  }
  return blocks;
}

std::unique_ptr<ReportBuilder> MakeBuilder(const Database& db, ReportFormat format, int wrap_width,
                                           ReportSink& sink, const ReportMask& mask) {
  switch (format) {
    case ReportFormat::Text:
      return std::make_unique<TextReport>(sink);
    case ReportFormat::Html:
      return std::make_unique<HtmlReport>(sink, wrap_width);
    case ReportFormat::Json:
      return std::make_unique<JsonReport>(sink, MaskedErrorSummary(db, mask),
                                          ResultReader(db).Diagnoses());
    case ReportFormat::Csv:
      return std::make_unique<CsvReport>(sink);
    case ReportFormat::Junit:
      return std::make_unique<JUnitReport>(sink, EmployerBlocks(db, mask));
    case ReportFormat::Sarif:
      return std::make_unique<SarifReport>(sink);
    case ReportFormat::Github:
      return std::make_unique<GithubReport>(sink);
    case ReportFormat::Summary:
      break;  // not a walk over the rows: see WriteReport
  }
  return nullptr;
}

}  // namespace

std::optional<ReportFormat> ParseReportFormat(std::string_view name) {
  for (const auto& [format_name, format] : kReportFormatNames) {
    if (name == format_name) return format;
  }
  return std::nullopt;
}

ReportSummary BuildReport(const Database& db, ReportBuilder& builder, ReportSink& sink,
                          const ReportMask& mask) {
  ReportSummary summary = ReadReportSummary(db);
  if (mask.Any()) MaskSummary(summary, mask);
  builder.Begin(summary);
  ErrorRowReader rows(db);
  ErrorRow masked;
  while (rows.Next()) {
    const ErrorRow* row = &rows.row();
    if (mask.Any()) {
      masked = *row;
      MaskRow(masked, mask);
      row = &masked;
    }
    if (rows.StartsGroup()) builder.RecordGroup(*row);
    builder.Error(*row);
    if (!sink.ErrorBlockDone()) return summary;
  }
  builder.End();
  return summary;
}

ReportSummary WriteReport(const Database& db, ReportFormat format, int wrap_width, ReportSink& sink,
                          const ReportMask& mask) {
  if (format == ReportFormat::Summary) {
    sink.Write(LikelyCausesBlock(ResultReader(db).Diagnoses()));
    WriteSummaryTable(MaskedErrorSummary(db, mask), sink);
    return ReadReportSummary(db);
  }
  const std::unique_ptr<ReportBuilder> builder = MakeBuilder(db, format, wrap_width, sink, mask);
  return BuildReport(db, *builder, sink, mask);
}

ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          ReportSink& sink, const ReportMask& mask) {
  const std::unique_ptr<Database> db = OpenResultsSnapshot(db_path);
  return WriteReport(*db, format, wrap_width, sink, mask);
}

ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          const std::function<void(std::string_view)>& write,
                          const ReportMask& mask) {
  FunctionSink sink(write);
  return WriteReport(db_path, format, wrap_width, sink, mask);
}

}  // namespace ledgerly
