#include "fuzz/FuzzRun.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/ResultStore.h"
#include "engine/RunState.h"
#include "engine/TestRun.h"
#include "support/DbChecks.h"
#include "support/Submission.h"

namespace ledgerly::fuzz {
namespace {

class FuzzHost : public RunHost {
 public:
  std::deque<std::string> files;

  std::optional<std::string> ChooseFile(std::string_view) override {
    if (files.empty()) return std::nullopt;
    std::string next = files.front();
    files.pop_front();
    return next;
  }
  MessageAnswer ShowMessage(MessageIcon, std::string_view, std::string_view,
                            MessageButtons buttons) override {
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  void Progress(const RunProgress&) override {}
  bool KeepResponsive() override { return false; }
  // Inside the filing period, so a clean run takes the question's path.
  Date Today() override { return {2012, 1, 15}; }
  void OpenFilingService() override {}
};

// In memory when the machine offers it: every input writes its files there.
// Never destroyed, so the exit handler can still remove it.
const std::filesystem::path& ScratchFolder() {
  static const auto* folder = [] {
    const std::filesystem::path base =
        ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "ledgerly-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchFolder(), ec);
    });
    return new std::filesystem::path(pattern);
  }();
  return *folder;
}

// The result database file of the inputs that go to a file.
std::filesystem::path ResultDatabase() {
  return ScratchFolder() / "ERRORLOG.MDB";
}

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

// The page size of a result database file.
constexpr rlim_t kPageSize = 16384;
// One input in this many goes to a file, through the writer thread, on a disk
// that fills at a size chosen by the input, so the store's failure paths are
// fuzzed as well (about as many a second as when every third input did); the
// others go to the store in memory, many times faster.
constexpr std::size_t kOnDiskEvery = 32;

// Limits the size any file may grow to while it lives (0: no limit).
class DiskLimit {
 public:
  explicit DiskLimit(rlim_t bytes) : active_(bytes > 0) {
    if (!active_) return;
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    // A write past the limit fails with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskLimit() {
    if (active_) ::setrlimit(RLIMIT_FSIZE, &saved_);
  }
  DiskLimit(const DiskLimit&) = delete;
  DiskLimit& operator=(const DiskLimit&) = delete;

 private:
  bool active_;
  rlimit saved_{};
};

// What the database of a finished run must hold, counted in one row.
class FinishedRunChecks {
 public:
  explicit FinishedRunChecks(const Database& db)
      : counts_(
            db,
            "SELECT (SELECT COUNT(*) FROM RECORDS), (SELECT COUNT(*) FROM ERRORS), "
            "(SELECT COUNT(*) FROM ERRORS WHERE Type = 'C'), "
            "(SELECT COUNT(*) FROM ERRORS WHERE Rec_Num < (SELECT MAX(Rec_Num) FROM RECORDS))") {}

  void Check(const RunResult& result, int error_limit) {
    if (!counts_.Step()) Finding("no counts");
    if (counts_.Int(0) != result.records) Finding("records miscounted");
    if (counts_.Int(1) != result.errors) Finding("errors miscounted");
    if (result.outcome == RunOutcome::Critical && counts_.Int(2) != 1) {
      Finding("a Critical stop without its Critical entry");
    }
    // The limit is looked at after each record, so only the last record may pass it.
    if (counts_.Int(3) >= error_limit) Finding("the run went on past the error limit");
    counts_.Reset();
  }

 private:
  Statement counts_;
};

// Made once: the schema and every statement serve every input of the process.
struct InMemory {
  std::unique_ptr<ResultStore> store = ResultStore::CreateInMemory();
  test::ResultDatabaseChecks checks{store->database()};
  FinishedRunChecks finished_run_checks{store->database()};
};

InMemory& InMemoryStore() {
  static InMemory in_memory;
  return in_memory;
}

}  // namespace

void RunOnBytes(const uint8_t* data, std::size_t size,
                const std::function<void(const Database&)>& inspect) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  FuzzHost host;
  std::size_t start = 0;
  for (int n = 1;; ++n) {
    const std::size_t end = input.find(test::kNextFileMarker, start);
    const auto path = ScratchFolder() / ("file" + std::to_string(n) + ".txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << input.substr(start, end == std::string_view::npos ? end : end - start);
    host.files.push_back(path.string());
    if (end == std::string_view::npos) break;
    start = end + test::kNextFileMarker.size();
  }
  const int error_limit = size % 5 == 0 ? 1 + static_cast<int>(size % 7) : kDefaultErrorLimit;

  const bool on_disk = size % kOnDiskEvery == 0;
  RunResult result;
  if (on_disk) {
    // Each starts afresh: a failed run leaves the file it found.
    std::filesystem::remove(ResultDatabase());
    const DiskLimit limit(kPageSize * (4 + size / kOnDiskEvery % 16));
    result = TestRun(host, ResultDatabase(), error_limit).ReadFile();
  } else {
    result = TestRun(host, *InMemoryStore().store, error_limit, false).ReadFile();
  }
  if (result.outcome == RunOutcome::Cancelled || result.outcome == RunOutcome::FileNotFound) {
    Finding("a file that exists was not tested");
  }
  if (result.outcome == RunOutcome::Failed && !on_disk) Finding("a run failed on its own");

  if (!on_disk) {
    InMemory& in_memory = InMemoryStore();
    for (const std::string& fault : in_memory.checks.Faults()) Finding(fault);
    const Database& db = in_memory.store->database();
    if (!RunFinished(db)) Finding("a run that ended is marked unfinished");
    in_memory.finished_run_checks.Check(result, error_limit);
    if (inspect) inspect(db);
    return;
  }
  if (!std::filesystem::exists(ResultDatabase())) {
    if (result.outcome != RunOutcome::Failed) Finding("a run left no database");
    return;
  }
  for (const std::string& fault : test::ResultDatabaseFaults(ResultDatabase())) Finding(fault);
  const Database db(ResultDatabase(), Database::Mode::ReadOnly);
  // A run that could not even record its failure says so; its counts are what it committed.
  if (!RunFinished(db)) {
    if (result.outcome != RunOutcome::Failed) Finding("a run that ended is marked unfinished");
    return;
  }
  FinishedRunChecks(db).Check(result, error_limit);
  if (inspect && result.outcome != RunOutcome::Failed) inspect(db);
}

}  // namespace ledgerly::fuzz
