#include "reports/WriteReport.h"

#include <memory>

#include "engine/ResultClaim.h"
#include "reports/CsvReport.h"
#include "reports/Diagnoses.h"
#include "reports/ErrorSummary.h"
#include "reports/HtmlReport.h"
#include "reports/JsonReport.h"
#include "reports/SummaryReport.h"
#include "reports/TextReport.h"

namespace ledgerly {
namespace {

std::unique_ptr<ReportBuilder> MakeBuilder(const Database& db, ReportFormat format, int wrap_width,
                                           ReportSink& sink) {
  switch (format) {
    case ReportFormat::Text:
      return std::make_unique<TextReport>(sink);
    case ReportFormat::Html:
      return std::make_unique<HtmlReport>(sink, wrap_width);
    case ReportFormat::Json:
      return std::make_unique<JsonReport>(sink, ReadErrorSummary(db), ResultReader(db).Diagnoses());
    case ReportFormat::Csv:
      return std::make_unique<CsvReport>(sink);
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

ReportSummary BuildReport(const Database& db, ReportBuilder& builder, ReportSink& sink) {
  ReportSummary summary = ReadReportSummary(db);
  builder.Begin(summary);
  ErrorRowReader rows(db);
  while (rows.Next()) {
    if (rows.StartsGroup()) builder.RecordGroup(rows.row());
    builder.Error(rows.row());
    if (!sink.ErrorBlockDone()) return summary;
  }
  builder.End();
  return summary;
}

ReportSummary WriteReport(const Database& db, ReportFormat format, int wrap_width,
                          ReportSink& sink) {
  if (format == ReportFormat::Summary) {
    sink.Write(LikelyCausesBlock(ResultReader(db).Diagnoses()));
    WriteSummaryTable(ReadErrorSummary(db), sink);
    return ReadReportSummary(db);
  }
  const std::unique_ptr<ReportBuilder> builder = MakeBuilder(db, format, wrap_width, sink);
  return BuildReport(db, *builder, sink);
}

ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          ReportSink& sink) {
  const std::unique_ptr<Database> db = OpenResultsSnapshot(db_path);
  return WriteReport(*db, format, wrap_width, sink);
}

ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          const std::function<void(std::string_view)>& write) {
  FunctionSink sink(write);
  return WriteReport(db_path, format, wrap_width, sink);
}

}  // namespace ledgerly
