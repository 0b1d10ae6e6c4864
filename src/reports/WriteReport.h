#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "engine/Sqlite.h"
#include "reports/Masking.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportData.h"
#include "reports/ReportSink.h"

namespace ledgerly {

enum class ReportFormat { Text, Html, Json, Csv, Summary, Junit, Sarif, Github };

// The formats by the names the command line takes.
inline constexpr std::array<std::pair<std::string_view, ReportFormat>, 8> kReportFormatNames{{
    {"text", ReportFormat::Text},
    {"html", ReportFormat::Html},
    {"json", ReportFormat::Json},
    {"csv", ReportFormat::Csv},
    {"summary", ReportFormat::Summary},
    {"junit", ReportFormat::Junit},
    {"sarif", ReportFormat::Sarif},
    {"github", ReportFormat::Github},
}};

// The format of one of kReportFormatNames; nothing for any other name.
std::optional<ReportFormat> ParseReportFormat(std::string_view name);

// Walks the results in db through builder: Begin, a RecordGroup before each
// record's first error, Error for every row, End. The sink's ErrorBlockDone
// may end the walk early (then End is not called). Returns the summary.
// mask hides what it names in every row and text.
ReportSummary BuildReport(const Database& db, ReportBuilder& builder, ReportSink& sink,
                          const ReportMask& mask = {});

// Writes the error report of the results in db to the sink, piece by piece
// (the summary table, which is small, is read whole first).
// wrap_width breaks long user entries in HTML (kDefaultWrapWidth without a
// screen). Returns the summary the report was built from (its critical error
// is the text the results view shows). Database failures throw StoreError.
ReportSummary WriteReport(const Database& db, ReportFormat format, int wrap_width, ReportSink& sink,
                          const ReportMask& mask = {});

// The same for a result database file, opened read-only.
ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          ReportSink& sink, const ReportMask& mask = {});
ReportSummary WriteReport(const std::filesystem::path& db_path, ReportFormat format, int wrap_width,
                          const std::function<void(std::string_view)>& write,
                          const ReportMask& mask = {});

}  // namespace ledgerly
