#include "cli/CliApp.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/CliHost.h"
#include "cli/LikelyCauses.h"
#include "cli/ListingCommands.h"
#include "cli/ReportOutput.h"
#include "engine/FailureNotice.h"
#include "engine/ResultClaim.h"
#include "engine/ResultStore.h"
#include "engine/Settings.h"
#include "engine/TestRun.h"
#include "platform/StandardStreams.h"
#include "reports/HtmlReport.h"
#include "reports/ReportData.h"
#include "reports/WriteReport.h"

namespace ledgerly {
namespace {

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

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

// Streams the report of the results in db to its output. False when it could not.
bool WriteReportTo(const std::filesystem::path& db, ReportFormat format, ReportOutput& output,
                   std::ostream& err) {
  try {
    WriteReport(db, format, kDefaultWrapWidth, [&](std::string_view piece) {
      if (CliHost::stop_requested) throw ReportOutputError(kReportStoppedText);
      output.Write(piece);
    });
    // A saved text or HTML report ends with one line break, as the desktop program writes it.
    if (format == ReportFormat::Text || format == ReportFormat::Html) output.Write("\r\n");
    output.Commit();
  } catch (const ResultsBeingWritten& e) {
    err << e.what() << '\n';  // not a failure of the file: a plain notice
    return false;
  } catch (const StoreError& e) {
    err << WithoutCarriageReturns(FailureNotice(e.code(), e.what())) << '\n';
    return false;
  } catch (const ReportOutputError& e) {
    err << e.what() << '\n';
    return false;
  }
  return true;
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
  if (SameFile(output, database)) return "the result database";
  if (SameFile(output, database.string() + "-journal")) return "the result database's journal";
  for (const std::string& file : files) {
    if (SameFile(output, file)) return "a submission file being tested";
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
// results (the run itself tells a missing first file).
bool AllFilesPresent(const std::vector<std::string>& files, std::ostream& err) {
  for (std::size_t i = 1; i < files.size(); ++i) {
    std::error_code ec;
    if (files[i] == kStandardInput || std::filesystem::exists(files[i], ec) || ec) continue;
    err << files[i] << " was not found; nothing was tested.\n";
    return false;
  }
  return true;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Tests a wage report submission file and writes its results to ERRORLOG.MDB.",
               "ledgerly-cli"};
  std::vector<std::string> files;
  std::string db_path;
  int error_limit = 0;
  bool progress = false;
  bool quiet = false;
  bool last = false;
  std::string report_name;
  std::string output;
  auto* file_option =
      app.add_option("FILE", files, "The submission file(s), in order; - reads standard input");
  app.add_option("--db", db_path, "Result database (default: ERRORLOG.MDB in the data folder)")
      ->type_name("PATH");
  const std::string limit_rule =
      "must be a whole number from 1 to " + std::to_string(kMaxErrorLimit);
  app.add_option("--error-limit", error_limit,
                 "Stop after this many errors, 1 to 25000 (default: the desktop program's "
                 "setting, else 500)")
      ->type_name("N")
      ->check(CLI::Validator(
          [limit_rule](const std::string& value) {
            int limit = 0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), limit);
            const bool whole = ec == std::errc() && end == value.data() + value.size();
            return whole && limit >= 1 && limit <= kMaxErrorLimit ? std::string()
                                                                  : value + " " + limit_rule;
          },
          "INT in [1 - 25000]"));
  auto* progress_flag = app.add_flag(
      "--progress", progress, "Show progress on stderr (default: when stderr is a terminal)");
  app.add_flag("--quiet", quiet, "Print nothing on stderr")->excludes(progress_flag);
  std::vector<std::string> format_names;
  format_names.reserve(std::size(kReportFormatNames));
  for (const auto& [name, format] : kReportFormatNames) format_names.emplace_back(name);
  app.add_option("--report", report_name,
                 "After the run, write its error report: text, html, json, csv (one row per "
                 "error) or summary (one row per kind of error) (default: no report)")
      ->type_name("FORMAT")
      ->check(CLI::IsMember(format_names));
  auto* report_option = app.get_option("--report");
  app.add_option("--output", output, "Write the report to FILE; - is stdout (default: stdout)")
      ->type_name("FILE")
      ->needs(report_option);
  auto* last_flag =
      app.add_flag("--last", last, "Report the results already in the database; test nothing");
  last_flag->excludes(file_option);
  app.set_version_flag("--version", std::string("ledgerly-cli ") + LEDGERLY_VERSION,
                       "Print the version and exit");
  app.footer(kExitStatusHelp);

  const ListingCommands listings(app);

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
  if (files.empty() && !last) {
    err << "FILE is required (or --last with --report)\nRun with --help for more information.\n";
    return kExitNotTested;
  }
  if (last && report_name.empty()) {
    err << "--last needs --report\nRun with --help for more information.\n";
    return kExitNotTested;
  }
  const std::optional<ReportFormat> format = ParseReportFormat(report_name);
  if (const std::string warning = TodayOverrideWarning(); !warning.empty() && !quiet) {
    err << warning << '\n';
  }

  // Only asked for when something lives there: the database or the error limit.
  std::filesystem::path data_folder;
  if (db_path.empty() || (!last && error_limit == 0)) {
    try {
      data_folder = DataFolder(ProgramFolder());
    } catch (const DataFolderError& e) {
      err << e.what() << '\n';
      return kExitNotTested;
    }
  }
  const std::filesystem::path database =
      db_path.empty() ? data_folder / kDatabaseFileName : std::filesystem::path(db_path);
  if (ReportOutput::IsStandardOutput(output)) output.clear();

  if (const auto conflict = OutputConflict(output, database, files)) {
    err << "The report cannot be written to " << output << ": it is " << *conflict << ".\n";
    return kExitNotTested;
  }
  if (last) {
    std::error_code ec;
    if (!std::filesystem::exists(database, ec)) {
      err << "There are no test results in " << database.string() << '\n';
      return kExitNotTested;
    }
  }
  // Opened before the run, so a report that cannot be written is known at once.
  std::optional<ReportOutput> report;
  if (format) {
    try {
      const bool own_stdout = &out == &std::cout;
      report.emplace(output, out, own_stdout,
                     own_stdout && platform::IsTerminal(platform::StandardStream::Output));
    } catch (const ReportOutputError& e) {
      err << e.what() << '\n';
      return kExitNotTested;
    }
  }
  if (last) return WriteReportTo(database, *format, *report, err) ? kExitClean : kExitNotTested;

  if (error_limit == 0) error_limit = ReadErrorLimit(data_folder);
  ReadStandardInputFor(files);
  if (!AllFilesPresent(files, err)) return kExitNotTested;
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
  if (report && result.records > 0 && !WriteReportTo(database, *format, *report, err)) {
    return kExitNotTested;
  }
  return status;
}

}  // namespace ledgerly
