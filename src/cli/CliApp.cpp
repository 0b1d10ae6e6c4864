#include "cli/CliApp.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "cli/BatchCommand.h"
#include "cli/CliHost.h"
#include "cli/LikelyCauses.h"
#include "cli/ListingCommands.h"
#include "cli/RedactCommand.h"
#include "cli/ReportOutput.h"
#include "cli/ReportRequest.h"
#include "cli/ReportWriting.h"
#include "cli/RunOptions.h"
#include "engine/FailureNotice.h"
#include "engine/FileNames.h"
#include "engine/ResultClaim.h"
#include "engine/ResultStore.h"
#include "engine/Settings.h"
#include "engine/TestRun.h"
#include "platform/Folders.h"
#include "platform/StandardStreams.h"
#include "reports/HtmlReport.h"
#include "reports/ReportData.h"
#include "reports/WriteReport.h"

namespace ledgerly {
namespace {

constexpr const char* kExitStatusHelp =
    "Exit status:\n"
    "  0  tested, no errors\n"
    "  1  tested, errors found\n"
    "  2  testing stopped by a Critical error, or interrupted\n"
    "  3  nothing could be tested: missing or unreadable file, no valid data, database "
    "failure, bad usage\n";

// "-" names standard input, which the run reads like any file that has no size.
void ReadStandardInputFor(std::vector<std::string>& files) {
  for (std::string& file : files) {
    if (file == "-") file = kStandardInput;
  }
}

}  // namespace

int ExitStatusFor(const RunResult& result) {
  switch (result.outcome) {
    case RunOutcome::Clean:
      return kExitClean;
    case RunOutcome::Errors:
      return kExitErrors;
    case RunOutcome::Critical:
    case RunOutcome::Aborted:
      return kExitCritical;
    default:
      return kExitNotTested;
  }
}

namespace {

void PrintSummary(const RunResult& result, std::ostream& err) {
  if (result.records == 0) {
    // Stopped before anything was stored: the previous results are still there.
    if (result.outcome == RunOutcome::Aborted) err << "Test Aborted\n";
    return;
  }
  err << "Records tested: " << result.records << "\nErrors found: " << result.errors << '\n';
  if (result.outcome == RunOutcome::Critical || result.outcome == RunOutcome::Failed) {
    if (result.critical_rec_num > 0) {
      err << TerminationSentence(result.critical_rec_num) << '\n';
      // A failure was shown as its message already.
      if (result.outcome == RunOutcome::Critical) {
        err << WithoutCarriageReturns(result.critical_error) << '\n';
      }
    }
  } else if (result.outcome == RunOutcome::Aborted) {
    err << "Test Aborted\n";
  }
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  // A file that does not exist yet (a journal) is compared by its full name.
  const auto full = [&ec](const std::filesystem::path& p) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(p, ec), ec);
  };
  return full(a) == full(b);
}

// What --output would destroy, or nothing when it is a file of its own.
std::optional<std::string> OutputConflict(const std::string& output,
                                          const std::filesystem::path& database,
                                          const std::vector<std::string>& files) {
  if (output.empty()) return std::nullopt;
  if (SameFile(PathOf(output), database)) return "the result database";
  if (SameFile(PathOf(output), WithSuffix(database, "-journal"))) {
    return "the result database's journal";
  }
  for (const std::string& file : files) {
    if (SameFile(PathOf(output), PathOf(file))) return "a submission file being tested";
  }
  return std::nullopt;
}

// The files after the one that ended the submission, which the run never read.
// False when they make the run's outcome incomplete.
bool ReportUnreadFiles(const CliHost& host, const RunResult& result, std::ostream& err) {
  const std::vector<std::string> unread = host.UnreadFiles();
  if (unread.empty()) return true;
  const bool submission_ended =
      result.outcome == RunOutcome::Clean || result.outcome == RunOutcome::Errors;
  if (submission_ended) {
    err << "The submission ended with the RF record of " << host.LastFile()
        << "; these files were not tested (use one call per submission):\n";
  } else {
    err << "The run stopped before these files; they were not tested:\n";
  }
  for (const std::string& file : unread) err << "  " << file << '\n';
  return !submission_ended;
}

// A file after the first that is missing is refused before the run replaces any
// results (the run itself tells a missing first file). Empty when none is.
std::string MissingFile(const std::vector<std::string>& files) {
  for (std::size_t i = 1; i < files.size(); ++i) {
    std::error_code ec;
    if (files[i] == kStandardInput || std::filesystem::exists(PathOf(files[i]), ec) || ec) continue;
    return files[i];
  }
  return {};
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Tests a wage report submission file and writes its results to ERRORLOG.MDB.",
               "ledgerly-cli"};
  // Options are --long and -s on every system: on Windows "/data/w2.txt" is a
  // file (on the working folder's drive), not an option; subcommands inherit this.
  app.allow_windows_style_options(false);
  std::vector<std::string> files;
  std::string db_path;
  RunOptions options;
  bool progress = false;
  bool last = false;
  std::string output;
  auto* file_option =
      app.add_option("FILE", files, "The submission file(s), in order; - reads standard input");
  app.add_option("--db", db_path, "Result database (default: ERRORLOG.MDB in the data folder)")
      ->type_name("PATH");
  auto* report_option =
      AddRunOptions(app, options,
                    "After the run, write its error report (repeatable): " + ReportFormatList() +
                        "; to PATH, else to --output, else to stdout (default: no report)");
  app.add_flag("--progress", progress,
               "Show progress on stderr (default: when stderr is a terminal)")
      ->excludes(app.get_option("--quiet"));
  app.add_option("-o,--output", output,
                 "Write the report given without a PATH to FILE; - is stdout (default: stdout)")
      ->type_name("FILE")
      ->needs(report_option);
  auto* last_flag =
      app.add_flag("--last", last, "Report the results already in the database; test nothing");
  last_flag->excludes(file_option);
  app.set_version_flag("--version", std::string("ledgerly-cli ") + LEDGERLY_VERSION,
                       "Print the version and exit");
  app.footer(kExitStatusHelp);

  const ListingCommands listings(app);

  BatchOptions batch_options;
  auto* batch_command = AddBatchCommand(app, batch_options);
  RedactOptions redact_options;
  auto* redact_command = AddRedactCommand(app, redact_options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    app.exit(e, out, err);
    return kExitClean;
  } catch (const CLI::ParseError& e) {
    app.exit(e, out, err);
    return kExitNotTested;
  }

  if (const std::optional<int> status = listings.Run(out, err)) return *status;
  if (*batch_command) return RunBatch(batch_options, out, err);
  if (*redact_command) return RunRedact(redact_options, out, err);
  if (files.empty() && !last) {
    err << "FILE is required (or --last with --report)\nRun with --help for more information.\n";
    return kExitNotTested;
  }
  if (last && options.reports.empty()) {
    err << "--last needs --report\nRun with --help for more information.\n";
    return kExitNotTested;
  }
  std::vector<ReportRequest> requests;
  try {
    requests = ResolveReportRequests(options.reports, output);
    SetReportMasks(requests, options.mask, options.no_mask);
  } catch (const std::invalid_argument& e) {
    err << e.what() << "\nRun with --help for more information.\n";
    return kExitNotTested;
  }
  const bool quiet = options.quiet;
  if (const std::string warning = TodayOverrideWarning(); !warning.empty() && !quiet) {
    err << warning << '\n';
  }

  // Only asked for when something lives there: the database or the error limit.
  std::filesystem::path data_folder;
  if (db_path.empty() || (!last && NeedsStoredErrorLimit(options))) {
    try {
      data_folder = DataFolder(ProgramFolder());
    } catch (const DataFolderError& e) {
      err << e.what() << '\n';
      return kExitNotTested;
    }
  }
  const std::filesystem::path database =
      db_path.empty() ? data_folder / kDatabaseFileName : PathOf(db_path);

  for (const ReportRequest& request : requests) {
    if (const auto conflict = OutputConflict(request.path, database, files)) {
      err << "The report cannot be written to " << request.path << ": it is " << *conflict << ".\n";
      return kExitNotTested;
    }
  }
  const auto outputs = OpenReportOutputs(requests, out, err);
  if (!outputs) return kExitNotTested;
  // From here a JSON report is a document even when nothing could be tested.
  const auto fail = [&](const std::string& message, int status) {
    WriteJsonFailures(requests, *outputs, message, status, err);
    return status;
  };
  if (last) {
    std::error_code ec;
    if (!std::filesystem::exists(database, ec)) {
      const std::string message = "There are no test results in " + database.string();
      err << message << '\n';
      return fail(message, kExitNotTested);
    }
  }
  if (last) return WriteReports(database, requests, *outputs, err) ? kExitClean : kExitNotTested;

  const int error_limit = ErrorLimitFor(options, data_folder);
  ReadStandardInputFor(files);
  if (const std::string missing = MissingFile(files); !missing.empty()) {
    const std::string message = missing + " was not found; nothing was tested.";
    err << message << '\n';
    return fail(message, kExitNotTested);
  }
  const bool show_progress =
      !quiet && (progress || platform::IsTerminal(platform::StandardStream::Error));
  CliHost host(files, err, !quiet, show_progress);
  TestRun run(host, database, error_limit);
  const RunResult result = run.ReadFile();
  host.EndProgressLine();
  if (!quiet) PrintSummary(result, err);
  if (!quiet) PrintLikelyCauses(result, err);
  std::ostringstream ignored;
  const bool all_tested = ReportUnreadFiles(host, result, quiet ? ignored : err);
  const int status = all_tested ? ExitStatusFor(result) : kExitNotTested;
  // A signal during the run stopped the run; one during the report stops the report.
  CliHost::stop_requested = false;
  if (result.records == 0) return fail(host.Messages(), status);
  return WriteReports(database, requests, *outputs, err) ? status : kExitNotTested;
}

}  // namespace ledgerly
