#include "cli/ReportRequest.h"

#include <set>
#include <stdexcept>

#include "cli/ReportOutput.h"

namespace ledgerly {

std::optional<ReportRequest> ParseReportRequest(std::string_view text) {
  const std::size_t colon = text.find(':');
  const std::optional<ReportFormat> format = ParseReportFormat(text.substr(0, colon));
  if (!format) return std::nullopt;
  ReportRequest request{*format, {}, {}};
  if (colon != std::string_view::npos) request.path = text.substr(colon + 1);
  if (ReportOutput::IsStandardOutput(request.path)) request.path.clear();
  return request;
}

std::vector<ReportRequest> ResolveReportRequests(const std::vector<std::string>& texts,
                                                 const std::string& output) {
  std::vector<ReportRequest> requests;
  std::set<std::string> destinations;
  for (const std::string& text : texts) {
    std::optional<ReportRequest> request = ParseReportRequest(text);
    if (!request) throw std::invalid_argument(text + " is not a report format");
    const bool given_path = text.find(':') != std::string::npos;
    if (!given_path && !ReportOutput::IsStandardOutput(output)) request->path = output;
    if (!destinations.insert(request->path).second) {
      const std::string where = request->path.empty() ? "standard output" : request->path;
      throw std::invalid_argument("Two reports cannot both go to " + where +
                                  ": give each its own FORMAT:PATH");
    }
    requests.push_back(std::move(*request));
  }
  return requests;
}

bool MasksByDefault(ReportFormat format) {
  return format == ReportFormat::Junit || format == ReportFormat::Sarif ||
         format == ReportFormat::Github;
}

void SetReportMasks(std::vector<ReportRequest>& requests, const std::string& mask_list,
                    bool no_mask) {
  std::optional<ReportMask> given;
  if (!mask_list.empty()) {
    given = ParseReportMask(mask_list);
    if (!given)
      throw std::invalid_argument(mask_list + " is not ssn, ein, name (with commas) or all");
  }
  for (ReportRequest& request : requests) {
    if (given) {
      request.mask = *given;
    } else if (!no_mask && MasksByDefault(request.format)) {
      request.mask = ReportMask{.ssn = true, .ein = false, .name = true};
    }
  }
}

std::string_view ReportFileExtension(ReportFormat format) {
  switch (format) {
    case ReportFormat::Html:
      return "htm";
    case ReportFormat::Json:
      return "json";
    case ReportFormat::Csv:
      return "csv";
    case ReportFormat::Summary:
      return "summary.txt";
    case ReportFormat::Junit:
      return "junit.xml";
    case ReportFormat::Sarif:
      return "sarif";
    case ReportFormat::Github:
      return "github.txt";
    case ReportFormat::Text:
      break;
  }
  return "txt";
}

}  // namespace ledgerly
