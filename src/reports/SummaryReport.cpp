#include "reports/SummaryReport.h"

#include <algorithm>
#include <string>

#include "reports/Utf8Text.h"

namespace ledgerly {
namespace {

constexpr std::string_view kGap = "  ";

std::string PadRight(std::string text, std::size_t width) {
  text.append(width - std::min(width, Utf8CharacterCount(text)), ' ');
  return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width - std::min(width, text.size()), ' ') + text;
}

}  // namespace

std::string JoinRecNums(const std::vector<int64_t>& rec_nums) {
  std::string joined;
  for (const int64_t rec_num : rec_nums) {
    if (!joined.empty()) joined += ", ";
    joined += std::to_string(rec_num);
  }
  return joined;
}

void WriteSummaryTable(const std::vector<ErrorSummaryRow>& rows, ReportSink& sink) {
  const std::string count_heading = "Count";
  const std::string reference_heading = "Reference";
  const std::string error_heading = "Error Description";
  std::size_t count_width = count_heading.size();
  std::size_t reference_width = reference_heading.size();
  std::size_t error_width = error_heading.size();
  for (const ErrorSummaryRow& row : rows) {
    count_width = std::max(count_width, std::to_string(row.count).size());
    reference_width = std::max(reference_width, Utf8CharacterCount(row.reference));
    error_width = std::max(error_width, Utf8CharacterCount(row.error));
  }

  auto line = [&](const std::string& count, const std::string& reference, const std::string& error,
                  const std::string& rec_nums) {
    sink.Write(PadLeft(count, count_width) + std::string(kGap) +
               PadRight(reference, reference_width) + std::string(kGap) +
               PadRight(error, error_width) + std::string(kGap) + rec_nums + "\n");
  };
  line(count_heading, reference_heading, error_heading, "First Records");
  for (const ErrorSummaryRow& row : rows) {
    line(std::to_string(row.count), row.reference, row.error, JoinRecNums(row.first_rec_nums));
  }
}

}  // namespace ledgerly
