#include "cli/RunOptions.h"

#include <charconv>
#include <limits>

#include "cli/ReportRequest.h"
#include "engine/Settings.h"
#include "engine/TestRun.h"
#include "platform/Folders.h"
#include "reports/Masking.h"

namespace ledgerly {

CLI::Option* AddRunOptions(CLI::App& command, RunOptions& options, const std::string& report_help) {
  const std::string limit_rule =
      "must be a whole number from 0 to " + std::to_string(kMaxErrorLimit);
  command
      .add_option("--error-limit", options.error_limit,
                  "Stop after this many errors, 1 to 25000, or 0 for no limit (default: the "
                  "desktop program's setting, else 500)")
      ->type_name("N")
      ->check(CLI::Validator(
          [limit_rule](const std::string& value) {
            int limit = 0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), limit);
            const bool whole = ec == std::errc() && end == value.data() + value.size();
            return whole && limit >= 0 && limit <= kMaxErrorLimit ? std::string()
                                                                  : value + " " + limit_rule;
          },
          "INT in [0 - 25000]"));
  command.add_flag("--isolated", options.isolated,
                   "Ignore the desktop program's settings (ErrSetLog.ini): the error limit is "
                   "--error-limit, else 500");
  command.add_flag("-q,--quiet", options.quiet, "Print nothing on stderr");
  auto* report = command.add_option("-f,--report", options.reports, report_help)
                     ->type_name("FORMAT[:PATH]")
                     ->allow_extra_args(false)
                     ->check(CLI::Validator(
                         [](const std::string& value) {
                           return ParseReportRequest(value)
                                      ? std::string()
                                      : value + " is not one of " + ReportFormatList();
                         },
                         ""));
  auto* mask = command
                   .add_option("--mask", options.mask,
                               "Hide in every report: ssn (***-**-6789), ein (**-***6789), name "
                               "(initials), with commas, or all (default: none, but ssn,name in "
                               "junit, sarif and github)")
                   ->type_name("LIST")
                   ->check(CLI::Validator(
                       [](const std::string& value) {
                         return ParseReportMask(value)
                                    ? std::string()
                                    : value + " is not ssn, ein, name (with commas) or all";
                       },
                       ""));
  command.add_flag("--no-mask", options.no_mask, "Hide nothing, in any format")->excludes(mask);
  return report;
}

std::filesystem::path ProgramFolder() {
  return platform::ProgramFile().parent_path();
}

bool NeedsStoredErrorLimit(const RunOptions& options) {
  return !options.error_limit && !options.isolated;
}

int ErrorLimitFor(const RunOptions& options, const std::filesystem::path& data_folder) {
  if (options.error_limit) {
    return *options.error_limit == 0 ? std::numeric_limits<int>::max() : *options.error_limit;
  }
  return options.isolated ? kDefaultErrorLimit : ReadErrorLimit(data_folder);
}

std::string ReportFormatList() {
  std::string list;
  for (const auto& [name, format] : kReportFormatNames) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace ledgerly
