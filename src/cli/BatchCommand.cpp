#include "cli/BatchCommand.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "cli/ReportRequest.h"
#include "cli/ReportWriting.h"
#include "engine/ResultClaim.h"
#include "engine/Settings.h"
#include "platform/PrivateFiles.h"
#include "reports/CiSupport.h"
#include "reports/JUnitReport.h"
#include "reports/ReportData.h"
#include "reports/RunVerdict.h"
#include "reports/WriteReport.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;

// One FILE of the batch and what its run found.
struct BatchItem {
  std::string file;
  fs::path database;
  ReportSummary summary;
  int status = kExitNotTested;
  std::string message;  // why nothing was tested
  bool done = false;
};

constexpr std::string_view kStatusWords[] = {"clean", "errors", "stopped", "not tested"};

// Messages of several lines, on the file's one line.
std::string OneLine(std::string text) {
  std::erase(text, '\r');
  while (!text.empty() && text.back() == '\n') text.pop_back();
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
    text.replace(at, 1, "; ");
  }
  return text;
}

// Refuses what the batch cannot give a database of its own.
bool CheckFiles(const std::vector<std::string>& files, std::ostream& err) {
  std::map<std::string, std::string> by_name;
  for (const std::string& file : files) {
    if (file == "-") {
      err << "batch tests named files only; standard input is one submission: test it without "
             "batch\n";
      return false;
    }
    const auto [it, fresh] = by_name.emplace(fs::path(file).filename().string(), file);
    if (!fresh) {
      err << it->second << " and " << file
          << " have one name: their results would share one database; test them in two "
             "batches\n";
      return false;
    }
  }
  return true;
}

class Batch {
 public:
  Batch(const std::vector<std::string>& files, fs::path results, int error_limit,
        std::vector<ReportRequest> reports, std::ostream& table)
      : results_(std::move(results)),
        error_limit_(error_limit),
        reports_(std::move(reports)),
        table_(table) {
    for (const std::string& file : files) {
      BatchItem item;
      item.file = file;
      item.database = results_ / (fs::path(file).filename().string() + ".MDB");
      items_.push_back(std::move(item));
    }
  }

  void Run(unsigned jobs) {
    table_ << "file\trecords\twith_errors\terrors\tstopped_by\tstatus\n" << std::flush;
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < jobs; ++i) {
      workers.emplace_back([this] {
        for (std::size_t index = next_++; index < items_.size(); index = next_++) {
          Test(items_[index]);
          Done(index);
        }
      });
    }
    for (std::thread& worker : workers) worker.join();
    PrintTotal();
  }

  int WorstStatus() const {
    int worst = kExitClean;
    for (const BatchItem& item : items_) worst = std::max(worst, item.status);
    return worst;
  }

  const std::vector<BatchItem>& items() const { return items_; }

 private:
  // Exactly the one-file run, its writer thread included: while one run waits
  // on its file or database another checks records.
  void Test(BatchItem& item) {
    if (CliHost::stop_requested) {
      item.message = "not tested: the batch was stopped by a signal";
      return;
    }
    std::ostringstream messages;
    CliHost host({item.file}, messages, false, false);
    TestRun run(host, item.database, error_limit_);
    const RunResult result = run.ReadFile();
    item.status = ExitStatusFor(result);
    if (result.records == 0) {
      item.message = OneLine(host.Messages());
      for (const ReportRequest& report : reports_) {
        if (report.format != ReportFormat::Json) continue;
        WriteReportFile(item, report, [&](ReportOutput& output) {
          output.Write(JsonFailureDocument(item.message, item.status));
          output.Commit();
          return true;
        });
      }
      return;
    }
    try {
      item.summary = ReadReportSummary(*OpenResultsSnapshot(item.database));
    } catch (const StoreError& e) {
      item.message = e.what();
    }
    if (CliHost::stop_requested) return;
    for (const ReportRequest& report : reports_) {
      WriteReportFile(item, report, [&](ReportOutput& output) {
        return WriteReportTo(item.database, report, output, messages);
      });
    }
  }

  // FILE's name + the format's extension, in the report's folder; a report
  // that cannot be written makes the file not tested.
  void WriteReportFile(BatchItem& item, const ReportRequest& report,
                       const std::function<bool(ReportOutput&)>& write) {
    const fs::path folder = report.path.empty() ? results_ : fs::path(report.path);
    const std::string path = (folder / (fs::path(item.file).filename().string() + "." +
                                        std::string(ReportFileExtension(report.format))))
                                 .string();
    std::ostringstream problem;
    try {
      ReportOutput output(path, problem, false, false);
      if (write(output)) return;
    } catch (const ReportOutputError& e) {
      problem << e.what();
    }
    item.status = kExitNotTested;
    item.message = OneLine(problem.str());
  }

  // Lines are printed in the order of the files, each as soon as it and those before it are done.
  void Done(std::size_t index) {
    const std::lock_guard lock(mutex_);
    items_[index].done = true;
    for (; printed_ < items_.size() && items_[printed_].done; ++printed_) {
      const BatchItem& item = items_[printed_];
      const std::string_view stopped = StopCauseName(StopCauseOf(item.summary));
      table_ << item.file << '\t' << item.summary.records_tested << '\t'
             << item.summary.records_with_errors << '\t' << item.summary.errors_found << '\t'
             << (stopped.empty() ? "-" : stopped) << '\t' << kStatusWords[item.status];
      if (!item.message.empty()) table_ << ": " << item.message;
      table_ << '\n' << std::flush;
    }
  }

  void PrintTotal() {
    ReportSummary total;
    int stopped = 0;
    for (const BatchItem& item : items_) {
      total.records_tested += item.summary.records_tested;
      total.records_with_errors += item.summary.records_with_errors;
      total.errors_found += item.summary.errors_found;
      if (StopCauseOf(item.summary) != StopCause::None) ++stopped;
    }
    table_ << "total (" << items_.size() << " files)\t" << total.records_tested << '\t'
           << total.records_with_errors << '\t' << total.errors_found << '\t' << stopped << '\t'
           << kStatusWords[WorstStatus()] << '\n'
           << std::flush;
  }

  fs::path results_;
  int error_limit_;
  std::vector<ReportRequest> reports_;
  std::ostream& table_;
  std::vector<BatchItem> items_;
  std::atomic<std::size_t> next_{0};
  std::mutex mutex_;
  std::size_t printed_ = 0;
};

std::string SummaryJson(const Batch& batch) {
  using Json = nlohmann::ordered_json;
  Json files = Json::array();
  for (const BatchItem& item : batch.items()) {
    const std::string_view stopped = StopCauseName(StopCauseOf(item.summary));
    files.push_back({{"file", item.file},
                     {"database", item.database.string()},
                     {"records_tested", item.summary.records_tested},
                     {"records_with_errors", item.summary.records_with_errors},
                     {"errors_found", item.summary.errors_found},
                     {"stopped_by", stopped.empty() ? Json(nullptr) : Json(stopped)},
                     {"exit_status", item.status},
                     {"message", item.message}});
  }
  const int worst = batch.WorstStatus();
  const Json document{{"tool", kToolName},
                      {"version", LEDGERLY_VERSION},
                      {"valid", worst == kExitClean},
                      {"exit_status", worst},
                      {"files", files}};
  return document.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

// A testsuite per file, every check a testcase; a file not tested is a suite
// whose one testcase is in error.
void WriteSummaryJunit(const Batch& batch, const ReportMask& mask, ReportOutput& output) {
  FunctionSink sink([&output](std::string_view piece) { output.Write(piece); });
  sink.Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"" +
             XmlEscaped(std::string(kToolName) + " batch") + "\">\n");
  for (const BatchItem& item : batch.items()) {
    if (item.summary.records_tested > 0) {
      JUnitReport suite(sink, {}, item.file);
      BuildReport(*OpenResultsSnapshot(item.database), suite, sink, mask);
      continue;
    }
    sink.Write("  <testsuite name=\"" + XmlEscaped(item.file) +
               "\" tests=\"1\" failures=\"0\" errors=\"1\" skipped=\"0\" time=\"0\">\n"
               "    <testcase name=\"tested\" classname=\"ledgerly.FILE\" time=\"0\">"
               "<error message=\"" +
               XmlEscaped(item.message) + "\"/></testcase>\n  </testsuite>\n");
  }
  sink.Write("</testsuites>\n");
}

}  // namespace

CLI::App* AddBatchCommand(CLI::App& app, BatchOptions& options) {
  auto* batch = app.add_subcommand(
      "batch",
      "Test each FILE as a submission of its own, several at once, into a result database "
      "of its own; print one line per file and a total, and exit with the worst status");
  batch->add_option("FILE", options.files, "The submission files")->required();
  batch->add_option("-j,--jobs", options.jobs, "Files tested at once (default: one per core)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  batch
      ->add_option("--results", options.results,
                   "Folder of the result databases, FILE's name + .MDB each (default: batch in "
                   "the data folder)")
      ->type_name("DIR");
  AddRunOptions(*batch, options.run,
                "Write each file's error report (repeatable), FILE's name + the format's "
                "extension, into PATH, a folder (default: the --results folder)");
  batch
      ->add_option("--summary", options.summary,
                   "Write the batch's own report instead of the table, to PATH or stdout: json "
                   "(a line per file) or junit (a testsuite per file)")
      ->type_name("json|junit[:PATH]")
      ->check(CLI::Validator(
          [](const std::string& value) {
            const auto request = ParseReportRequest(value);
            return request && (request->format == ReportFormat::Json ||
                               request->format == ReportFormat::Junit)
                       ? std::string()
                       : value + " is not json[:PATH] or junit[:PATH]";
          },
          ""));
  return batch;
}

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  if (!CheckFiles(options.files, err)) return kExitNotTested;
  std::vector<ReportRequest> reports;
  for (const std::string& text : options.run.reports) reports.push_back(*ParseReportRequest(text));
  SetReportMasks(reports, options.run.mask, options.run.no_mask);
  fs::path data_folder;
  fs::path results = options.results;
  try {
    if (results.empty() || NeedsStoredErrorLimit(options.run)) {
      data_folder = DataFolder(ProgramFolder());
    }
    if (results.empty()) results = data_folder / "batch";
    platform::CreatePrivateFolder(results, false);
    for (const ReportRequest& report : reports) {
      if (!report.path.empty()) platform::CreatePrivateFolder(report.path, false);
    }
  } catch (const DataFolderError& e) {
    err << e.what() << '\n';
    return kExitNotTested;
  } catch (const std::system_error& e) {
    err << "Cannot make the results folder: " << e.what() << '\n';
    return kExitNotTested;
  }
  const int error_limit = ErrorLimitFor(options.run, data_folder);
  std::optional<ReportRequest> summary;
  if (!options.summary.empty()) {
    summary = ParseReportRequest(options.summary);
    std::vector<ReportRequest> masked{*summary};
    SetReportMasks(masked, options.run.mask, options.run.no_mask);
    summary = masked.front();
  }
  const bool summary_to_stdout = summary && summary->path.empty();
  std::ostringstream ignored;
  std::ostream& table = summary_to_stdout ? (options.run.quiet ? ignored : err) : out;

  unsigned jobs = options.jobs != 0 ? options.jobs : std::thread::hardware_concurrency();
  jobs = std::clamp<unsigned>(jobs, 1, static_cast<unsigned>(options.files.size()));
  Batch batch(options.files, results, error_limit, reports, table);
  batch.Run(jobs);
  int status = batch.WorstStatus();
  if (summary) {
    try {
      ReportOutput output(summary->path, out, false, false);
      if (summary->format == ReportFormat::Junit) {
        WriteSummaryJunit(batch, summary->mask, output);
      } else {
        output.Write(SummaryJson(batch));
      }
      output.Commit();
    } catch (const ReportOutputError& e) {
      err << e.what() << '\n';
      status = kExitNotTested;
    } catch (const StoreError& e) {
      err << e.what() << '\n';
      status = kExitNotTested;
    }
  }
  return status;
}

}  // namespace ledgerly
