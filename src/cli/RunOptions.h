#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly {

// The options a Test run takes, whether one run or a batch of them.
struct RunOptions {
  std::optional<int> error_limit;  // 0: no limit
  bool isolated = false;
  bool quiet = false;
  std::vector<std::string> reports;  // FORMAT or FORMAT:PATH, as given
  std::string mask;                  // "ssn,ein,name" or "all"; empty: each format's default
  bool no_mask = false;
};

// --error-limit, --isolated, -q/--quiet, -f/--report, --mask and --no-mask, described for command.
// The --report option is returned, so that others can depend on it.
CLI::Option* AddRunOptions(CLI::App& command, RunOptions& options, const std::string& report_help);

// The folder of the running program.
std::filesystem::path ProgramFolder();

// Whether the run needs the data folder for the error limit.
bool NeedsStoredErrorLimit(const RunOptions& options);

// The limit the run uses: the option (0: none), else the stored setting
// unless isolated, else the default.
int ErrorLimitFor(const RunOptions& options, const std::filesystem::path& data_folder);

// The names --report takes, listed for its help.
std::string ReportFormatList();

}  // namespace ledgerly
