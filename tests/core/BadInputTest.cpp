// ledgerly-cli run as a real process, on good and hostile inputs and in hostile
// environments: each run must end with its outcome and a clear message, never a
// crash or a hang, and any result database left behind must be sound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "cli/CliApp.h"
#include "engine/ResultClaim.h"
#include "engine/Sqlite.h"
#include "support/ChildProcess.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/Submission.h"
#include "support/TempFolder.h"
#include "support/TestPlatform.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;
using test::Submission;
using Args = std::vector<std::string>;

// The folder of one case, with a clean submission "clean.txt", one with three
// errors "faults.txt", one with 601 "large.txt", the same as "a.txt" and "b.txt"
// in two files, and the data folder "home" (LEDGERLY_HOME).
struct CaseFolder {
  test::TempFolder dir;
  std::unique_ptr<Database> lock_holder;  // another program's connection, kept open
  std::unique_ptr<ResultClaim> viewer;    // a program showing the results
  std::uint64_t file_size_limit = 0;      // a disk that fills at this size
  std::vector<std::string> env;           // NAME=value, before the case's own
  test::ChildProcess::Options streams;    // pipes and closed streams of the child
  // Plays the world around the running child (else: "-" is fed clean.txt).
  std::function<void(test::ChildProcess&, CaseFolder&)> drive;
  std::function<void(CaseFolder&)> check;  // after the child ended
  int killed_by = 0;                       // a signal that may end it
  bool run_complete = false;               // exit status 3 for what came after the run

  fs::path Path(const std::string& name) const { return dir.path() / name; }
  fs::path db() const { return Path("ERRORLOG.MDB"); }
};

using Setup = std::function<void(CaseFolder&)>;

struct CliCase {
  std::string name;
  // "@name" is that file of the case folder, "~name" the same by a relative name;
  // "--db @ERRORLOG.MDB" is added unless they name a database; "-" reads clean.txt
  // from a pipe.
  Args args;
  int exit_status;
  std::string message;  // expected on stderr (or stdout: both go to one file)
  Setup setup;
  bool unprivileged;
  std::string kept;  // a file of the case folder that must come through unchanged
};
void PrintTo(const CliCase& c, std::ostream* os) {
  *os << c.name;
}

CliCase Case(std::string name, Args args, int exit_status, std::string message,
             Setup setup = nullptr, bool unprivileged = false, std::string kept = "") {
  return {std::move(name),  std::move(args), exit_status,    std::move(message),
          std::move(setup), unprivileged,    std::move(kept)};
}

std::string Garbage(std::size_t size, std::string_view head = {}) {
  std::string bytes(head);
  for (uint32_t state = 12345; bytes.size() < size;) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

// RA, RE, `faulty` RW records with a non-numeric amount each, RT and RF: one
// error a record and one for the totals.
std::string Faults(int faulty) {
  std::vector<std::string> ids(faulty + 4, "RW");
  ids.front() = "RA", ids[1] = "RE", ids[faulty + 2] = "RT", ids.back() = "RF";
  std::string content = Submission(ids);
  for (int i = 2; i < faulty + 2; ++i) content.replace(514 * i + 209, 11, "12345ABCDEF");
  return content;
}

Setup Writes(std::string name, std::string content, fs::perms perms = fs::perms::unknown) {
  return [=](CaseFolder& f) {
    f.dir.Write(name, content);
    if (perms != fs::perms::unknown) fs::permissions(f.Path(name), perms);
  };
}

// SQL run on the database before the program starts; `hold` keeps the connection open.
Setup Sql(std::string sql, bool hold = false) {
  return [=](CaseFolder& f) {
    f.lock_holder = std::make_unique<Database>(f.db(), Database::Mode::ReadWriteCreate);
    f.lock_holder->Exec(sql);
    if (!hold) f.lock_holder.reset();
  };
}

// The results of a complete run of clean.txt, there before the case runs.
void PreviousResults(CaseFolder& f) {
  test::ChildProcess run(LEDGERLY_CLI_PATH,
                         {"--quiet", "--db", f.db().string(), f.Path("clean.txt").string()},
                         f.Path("previous.txt"), {});
  run.Wait();
}

// A folder "ro" the program may read only, holding `content` as its database.
Setup ReadOnlyDb(const char* content) {
  return [content](CaseFolder& f) {
    fs::create_directory(f.Path("ro"));
    if (content) f.dir.Write("ro/ERRORLOG.MDB", content);
    fs::permissions(f.Path("ro"), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  };
}

// "sparse.txt": a file of NULs only, 3 GiB long but taking no space; `head` is written first.
Setup Sparse(std::string head) {
  return [head](CaseFolder& f) {
    f.dir.Write("sparse.txt", head);
    fs::resize_file(f.Path("sparse.txt"), 3LL << 30);
  };
}

Setup Env(std::string setting) {
  return [setting](CaseFolder& f) { f.env.push_back(setting); };
}

Setup ClosedStream(int fd) {
  return [fd](CaseFolder& f) { f.streams.closed_stream = fd; };
}

void AwaitText(const fs::path& file, const std::string& text) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while ((!fs::exists(file) || test::ReadFileText(file).find(text) == std::string::npos) &&
         std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// "-" gets the first MiB (a read block) of a clean submission of 2,204 records,
// the rest once `between` has been done.
Setup FeedAround(std::function<void(test::ChildProcess&, CaseFolder&)> between) {
  return [between](CaseFolder& f) {
    f.drive = [between](test::ChildProcess& cli, CaseFolder& folder) {
      std::vector<std::string> ids(2204, "RW");
      ids.front() = "RA", ids[1] = "RE", ids[2202] = "RT", ids.back() = "RF";
      const std::string content = Submission(ids);
      constexpr std::size_t kFirst = (1 << 20) + 1000;
      EXPECT_TRUE(cli.Feed(std::string_view(content).substr(0, kFirst)));
      between(cli, folder);
      cli.Feed(std::string_view(content).substr(kFirst));  // a stopped run reads no more
    };
  };
}

// Sends signal once stderr shows `shown`.
Setup SignalWhen(int signal, std::string shown) {
  return [=](CaseFolder& f) {
    f.drive = [=](test::ChildProcess& cli, CaseFolder& folder) {
      AwaitText(folder.Path("stderr.txt"), shown);
      cli.Signal(signal);
    };
    if (signal == SIGKILL) f.killed_by = SIGKILL;
  };
}

void ExpectMode(const fs::path& file, fs::perms mode) {
  EXPECT_EQ(fs::status(file).permissions(), mode) << file;
}

#ifdef _WIN32
// The rows whose world Windows does not have, and why; every other row expects
// the same there.
const std::map<std::string, std::string> kNotOnWindows = {
    {"NoReadPermission", "no other user to run as"},
    {"ReadOnlyDataFolder", "no other user to run as"},
    {"ReadOnlyDataFolderWithResults", "no other user to run as"},
    {"InterruptedResultsReadOnly", "no other user to run as"},
    {"ReadFails", "no file that opens but cannot be read (/proc/self/mem)"},
    {"UnreadableFileKeepsThePreviousResults", "no file that opens but cannot be read"},
    {"EndlessDevice", "no /dev/zero"},
    {"Fifo", "no named pipes in the file system"},
    {"SymlinkLoop", "symbolic links need an administrator"},
    {"DiskFullAtTheStart", "no file-size limit for a process"},
    {"DiskFullInTheRun", "no file-size limit for a process"},
    {"StandardInputClosed", "/dev/stdin names no file: a closed input reads as empty"},
    {"PathNotUtf8", "a file name is UTF-16: every name has a UTF-8 form"},
    {"NewFilesArePrivate", "access lists, not modes, keep files private"},
    {"ReplacedReportKeepsItsMode", "access lists, not modes, keep files private"},
};
// An absolute path as the results store it.
constexpr const char* kNotAbsolute =
    "(Path NOT LIKE '_:\\%' AND Path <> '/dev/stdin') OR Path LIKE '%\\..\\%'";
constexpr const char* kRootStart = "";
// Without unnamed files, a writer killed leaves its temporary to the next one.
constexpr bool kKilledLeavesTemporary = true;
#else
constexpr const char* kNotAbsolute =
    "Path NOT LIKE '/%' OR Path LIKE '%/../%' OR Path LIKE '%/./%'";
constexpr const char* kRootStart = "/";
constexpr bool kKilledLeavesTemporary = false;
#endif

class CliRunTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliRunTest, EndsWithItsOutcomeAndMessage) {
  const CliCase& c = GetParam();
#ifdef _WIN32
  if (const auto it = kNotOnWindows.find(c.name); it != kNotOnWindows.end()) {
    GTEST_SKIP() << it->second;
  }
#endif
  if (c.name == "HangUpInTheRun" || c.name == "TerminatedInABlockedReport") {
    if (test::ConsoleEventsUnavailable()) GTEST_SKIP() << "no console events under Wine";
  }
  CaseFolder folder;
  fs::create_directory(folder.Path("home"));
  // Open to the unprivileged user the permission cases run as.
  for (const char* open : {"", "home"}) fs::permissions(folder.Path(open), fs::perms::all);
  if (c.unprivileged && test::RunningAsRoot()) {
    const std::string why = test::WhyNobodyCannotReach(folder.dir.path());
    if (!why.empty()) GTEST_SKIP() << why;
  }
  const std::string clean = Submission({"RA", "RE", "RW", "RT", "RF"});
  folder.dir.Write("clean.txt", clean);
  folder.dir.Write("faults.txt", Faults(2));
  folder.dir.Write("large.txt", Faults(600));
  const auto [a, b] = test::SplitSubmission({"RA", "RE", "RW", "RW", "RT", "RF"}, 3);
  folder.dir.Write("a.txt", a);
  folder.dir.Write("b.txt", b);
  if (c.setup) c.setup(folder);
  Args args = {"--db", folder.db().string()};
  if (std::find(c.args.begin(), c.args.end(), "--db") != c.args.end()) args.clear();
  for (const std::string& arg : c.args) {
    const fs::path file = folder.Path(arg.substr(1));
    args.push_back((arg[0] == '@'   ? file
                    : arg[0] == '~' ? fs::relative(file)
                                    : fs::path(arg))
                       .string());
  }
  const bool piped = std::find(args.begin(), args.end(), "-") != args.end();
  const std::string kept_before = c.kept.empty() ? "" : test::ReadFileText(folder.Path(c.kept));
  const fs::path err_file = folder.Path("stderr.txt");
  test::ChildProcess::Options options = folder.streams;
  options.env = folder.env;
  options.env.push_back("LEDGERLY_HOME=" + folder.Path("home").string());
  options.unprivileged = c.unprivileged;
  options.file_size_limit = folder.file_size_limit;
  options.input_pipe = piped;
  test::ChildProcess cli(LEDGERLY_CLI_PATH, args, err_file, options);
  if (folder.drive) {
    folder.drive(cli, folder);
  } else if (piped) {
    EXPECT_TRUE(cli.Feed(clean));
  }
  cli.EndInput();
  cli.Wait();
  const std::string err = test::ReadFileText(err_file);
  // A kill may come after the end; either way it must leave nothing half-made.
  if (folder.killed_by == 0 || cli.term_signal() != folder.killed_by) {
    EXPECT_EQ(cli.term_signal(), 0) << err;
    EXPECT_EQ(cli.exit_status(), c.exit_status) << err;
  }
  EXPECT_NE(err.find(c.message), std::string::npos) << err;
  if (!c.kept.empty()) {
    EXPECT_EQ(test::ReadFileText(folder.Path(c.kept)), kept_before);
  }
  if (folder.check) folder.check(folder);
  // Nothing half-made is left beside the database or a report.
  for (const auto& entry : fs::directory_iterator(folder.dir.path())) {
    const std::string name = entry.path().filename().string();
    const bool left_by_kill =
        kKilledLeavesTemporary && folder.killed_by != 0 && name.starts_with(".ledgerly-");
    EXPECT_TRUE(name == c.kept || left_by_kill ||
                (!name.ends_with("-new") && !name.starts_with(".")))
        << name;
  }
  const bool reads_results = std::find(args.begin(), args.end(), "--last") != args.end();
  if (folder.lock_holder) {
    // The other program's work survives a refused run.
    folder.lock_holder->Exec("COMMIT");
    EXPECT_EQ(test::QueryValue(folder.db(), "SELECT Value FROM Other"), "kept");
  } else if (!reads_results && c.kept.empty() && fs::exists(folder.db())) {
    EXPECT_EQ(test::ResultDatabaseFaults(folder.db()), std::vector<std::string>{});
    // The results name each file by its full path, whatever the command line said,
    // and carry the day's date.
    EXPECT_EQ(test::QueryValue(folder.db(), std::string("SELECT COUNT(*) FROM MISC WHERE ") +
                                                kNotAbsolute + " OR RptDate NOT LIKE '__/__/2___'"),
              "0");
    // A failed run's records end with the Critical entry that names the failure.
    if (c.exit_status == kExitNotTested && !folder.run_complete &&
        test::QueryValue(folder.db(), "SELECT COUNT(*) FROM RECORDS") != "0") {
      EXPECT_EQ(test::QueryValue(folder.db(), "SELECT Error FROM ERRORS WHERE Type = 'C'"),
                "Error Number: 778\r\nError Description: disk I/O error (File too large)");
    }
  }
  // Let the folder be removed whatever the case took away.
  for (const auto& entry : fs::recursive_directory_iterator(folder.dir.path())) {
    if (!entry.is_symlink()) fs::permissions(entry, fs::perms::owner_all, fs::perm_options::add);
  }
}

const char* kSettings = "home/ErrSetLog.ini";  // the desktop program's settings
const char* kNoData = "Warning: The file contains no valid data.";
const char* kNotRA = "Record Number 1:\nRecord 1 must be RA record.";
const char* kReport = "rep.txt";
const fs::perms kPrivate = fs::perms::owner_read | fs::perms::owner_write;

std::vector<CliCase> Cases() {
  return {
      Case("Clean", {"--progress", "@clean.txt"}, kExitClean,
           "(100%)\nResults: Testing Completed.\nThere were no errors found.\nRecords tested: 5"),
      Case("SplitSubmission", {"@a.txt", "@b.txt"}, kExitClean, "Records tested: 6\n"),
      Case("RelativeName", {"~clean.txt"}, kExitClean, "Records tested: 5"),
      Case("StandardInput", {"-"}, kExitClean, "Records tested: 5"),
      Case("Version", {"--version"}, kExitClean, "ledgerly-cli " LEDGERLY_VERSION),
      Case("NoFile", {}, kExitNotTested, "FILE is required (or --last with --report)"),
      Case("UnknownOption", {"--bogus", "@clean.txt"}, kExitNotTested,
           "The following argument was not expected: --bogus"),
      Case("ErrorLimitNotANumber", {"--error-limit", "abc", "@clean.txt"}, kExitNotTested,
           "abc must be a whole number from 0 to 25000"),
      Case("ErrorLimitNegative", {"--error-limit", "-1", "@clean.txt"}, kExitNotTested,
           "-1 must be a whole number from 0 to 25000"),
      Case("ErrorLimitAboveTheLargest", {"--error-limit", "25001", "@clean.txt"}, kExitNotTested,
           "25001 must be a whole number from 0 to 25000"),
      Case("ErrorLimitOfOne", {"--error-limit", "1", "@faults.txt"}, kExitCritical,
           "Errors found: 2"),
      Case("LargestErrorLimit", {"--error-limit", "25000", "@clean.txt"}, kExitClean, "Records"),
      Case("LastWithoutReport", {"--last"}, kExitNotTested, "--last needs --report"),
      Case("LastWithAFile", {"--last", "--report", "text", "@clean.txt"}, kExitNotTested,
           "FILE excludes --last"),
      Case("LastWithoutResults", {"--last", "--report", "text"}, kExitNotTested,
           "There are no test results in"),
      Case("HtmlReportOnStdout", {"--report", "html", "@faults.txt"}, kExitErrors,
           "<!DOCTYPE HTML"),
      Case("MissingPath", {"@absent.txt"}, kExitNotTested,
           "absent.txt was not found.\nSubmission File Name Error: Please check to make sure that "
           "correct File Name was entered and /or correct Drive was chosen."),
      Case("Directory", {"@home"}, kExitNotTested, "home: Is a directory"),
      Case("NoReadPermission", {"@secret.txt"}, kExitNotTested, "secret.txt: Permission denied",
           Writes("secret.txt", Submission({"RA", "RE"}), fs::perms::none), true),
      // Exists and opens, but reading its first bytes fails.
      Case("ReadFails", {"/proc/self/mem"}, kExitNotTested,
           "Unreadable data in File:\n/proc/self/mem"),
      Case("EndlessDevice", {"/dev/zero"}, kExitNotTested, "/dev/zero is not a regular file"),
      Case("ZeroBytes", {"@e.txt"}, kExitNotTested, kNoData, Writes("e.txt", "")),
      Case("BinaryImage", {"@p.png"}, kExitCritical, kNotRA,
           Writes("p.png", Garbage(256 * 1024, "\x89PNG\r\n\x1a\n"))),
      // Split every 512 characters: the 2nd piece has no valid identifier.
      Case("RecordOf100000Characters", {"@e.txt"}, kExitCritical,
           "Critical Error in Record Number 4:\nEnter appropriate code: RW, RO, RS,",
           Writes("e.txt", Submission({"RA", "RE"}) + "RW" + std::string(99998, '0'))),
      // Three records, then a hole of NULs: an end-of-file marker.
      Case("SparseFileOf3GiB", {"@sparse.txt"}, kExitErrors,
           "Missing Final Record: RF record was not found.",
           Sparse(Submission({"RA", "RE", "RW"}, ""))),
      Case("SparseFileOfNulsOnly", {"@sparse.txt"}, kExitCritical, kNotRA, Sparse("")),
      Case("ReadOnlyDataFolder", {"--db", "@ro/ERRORLOG.MDB", "@clean.txt"}, kExitNotTested,
           "unable to open database file: ", ReadOnlyDb(nullptr), true),
      Case("ReadOnlyDataFolderWithResults", {"--db", "@ro/ERRORLOG.MDB", "@clean.txt"},
           kExitNotTested, "unable to open database file: ", ReadOnlyDb(""), true),
      Case("DatabaseLockedByAnotherProgram", {"@clean.txt"}, kExitNotTested,
           "ERRORLOG.MDB is in use by another program",
           Sql("CREATE TABLE Other (Value TEXT); BEGIN EXCLUSIVE; INSERT INTO Other VALUES "
               "('kept');",
               true)),
      Case("CorruptDatabaseIsKept", {"@clean.txt"}, kExitNotTested,
           "(it is not an SQLite database: file is not a database)",
           Writes("ERRORLOG.MDB", Garbage(8192, "SQLite format 3")), false, "ERRORLOG.MDB"),
      Case("SubmissionAsDatabase", {"--db", "@clean.txt", "@clean.txt"}, kExitNotTested,
           "clean.txt is not a Ledgerly result database", nullptr, false, "clean.txt"),
      Case("OtherProgramsDatabase", {"@clean.txt"}, kExitNotTested,
           "(it is another program's SQLite database)", Sql("CREATE TABLE RECORDS (Other TEXT)"),
           false, "ERRORLOG.MDB"),
      Case("UnreadableFileKeepsThePreviousResults", {"/proc/self/mem"}, kExitNotTested,
           "Unreadable data in File:\n/proc/self/mem\nThe previous results were kept.",
           PreviousResults, false, "ERRORLOG.MDB"),
      Case(
          "ResultsShownByAnotherProgram", {"@clean.txt"}, kExitNotTested,
          "ERRORLOG.MDB is in use by another program; it was left unchanged.",
          [](CaseFolder& f) {
            PreviousResults(f);
            f.viewer = ResultClaim::ForViewing(f.db());
          },
          false, "ERRORLOG.MDB"),
      Case("OtherFileAsNewDatabaseIsKept", {"@clean.txt"}, kExitNotTested,
           "ERRORLOG.MDB-new is not a Ledgerly result database (it is not an SQLite database",
           Writes("ERRORLOG.MDB-new", "notes\n"), false, "ERRORLOG.MDB-new"),
      Case("OtherFileAsJournalIsKept", {"@clean.txt"}, kExitNotTested,
           "ERRORLOG.MDB-journal is in the way: it is not a journal",
           Writes("ERRORLOG.MDB-journal", "notes\n"), false, "ERRORLOG.MDB-journal"),
      Case("FolderAsDatabase", {"--db", "@home", "@clean.txt"}, kExitNotTested, "(it is a folder)"),
      Case("DiskFullAtTheStart", {"@clean.txt"}, kExitNotTested,
           "Error Description: disk I/O error",
           [](CaseFolder& f) { f.file_size_limit = 32 * 1024; }),
      // The disk fills once the first record is committed.
      Case("DiskFullInTheRun", {"@large.txt"}, kExitNotTested, "Critical Error in Record Number",
           [](CaseFolder& f) { f.file_size_limit = 128 * 1024; }),
      Case("OutputIsTheDatabase", {"--report", "text", "--output", "@ERRORLOG.MDB", "@clean.txt"},
           kExitNotTested, "ERRORLOG.MDB: it is the result database."),
      Case("OutputIsTheJournal",
           {"--report", "json", "--output", "@ERRORLOG.MDB-journal", "@clean.txt"}, kExitNotTested,
           "it is the result database's journal."),
      Case("OutputIsTheSubmission",
           {"--report", "html", "--output", "@home/../clean.txt", "@clean.txt"}, kExitNotTested,
           "it is a submission file being tested.", nullptr, false, "clean.txt"),
      Case("OutputInAMissingFolder",
           {"--report", "text", "--output", "@none/report.txt", "@clean.txt"}, kExitNotTested,
           "report.txt: No such file or directory"),
      Case("SymlinkLoop", {"@loop"}, kExitNotTested, "loop: Too many levels of symbolic links",
           [](CaseFolder& f) { fs::create_symlink(f.Path("loop"), f.Path("loop")); }),
      Case("Fifo", {"@pipe"}, kExitNotTested, "pipe is not a regular file",
           []([[maybe_unused]] CaseFolder& f) {
#ifndef _WIN32
             ::mkfifo(f.Path("pipe").c_str(), 0666);
#endif
           }),
      // A copy taken in the middle of a write: a journal to play back.
      Case(
          "InterruptedResultsReadOnly", {"--last", "--report", "text", "--db", "@ro/ERRORLOG.MDB"},
          kExitNotTested, "need write access to the file and its folder to be recovered",
          [](CaseFolder& f) {
            Database writer(f.db(), Database::Mode::ReadWriteCreate);
            writer.Exec(
                "CREATE TABLE t (a); PRAGMA cache_size = 2; BEGIN; WITH RECURSIVE n(i) AS "
                "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                "INSERT INTO t SELECT zeroblob(500) FROM n;");
            fs::create_directory(f.Path("ro"));
            fs::copy(f.db(), f.Path("ro/ERRORLOG.MDB"));
            fs::copy(f.db().string() + "-journal", f.Path("ro/ERRORLOG.MDB-journal"));
            ReadOnlyDb(nullptr)(f);
          },
          true),
      Case("CorruptDatabaseForLast", {"--last", "--report", "text"}, kExitNotTested,
           "Error Description: file is not a database", Writes("ERRORLOG.MDB", Garbage(8192))),
      Case("EmptyDatabaseForLast", {"--last", "--report", "json"}, kExitNotTested,
           "Error Description: no such table", Writes("ERRORLOG.MDB", "")),
      // The desktop program's setting of the error limit, however it reads.
      Case("SettingsOfGarbage", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           Writes(kSettings, Garbage(300))),
      Case("SettingsOutOfRange", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           Writes(kSettings, "[Maximum Error Count]:99999999999999999999999\r\n")),
      Case("SettingsIsAFolder", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           [](CaseFolder& f) { fs::create_directory(f.Path(kSettings)); }),
      Case("SettingsOfOne", {"@faults.txt"}, kExitCritical, "Errors found: 2",
           Writes(kSettings, "[Maximum Error Count]: 1\r\n")),
      Case("SettingsOfTheLargestLimit", {"@large.txt"}, kExitErrors, "Errors found: 601",
           Writes(kSettings, "[Maximum Error Count]:25000\r\n")),
      Case("SettingsWithLettersAfterTheValue", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           Writes(kSettings, "[Maximum Error Count]:1x\r\n")),
      Case("SettingsOfAnotherLabel", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           Writes(kSettings, "foo:1\r\n")),
      Case("SettingsLineTooLong", {"@faults.txt"}, kExitErrors, "Errors found: 3",
           Writes(kSettings, "[Maximum Error Count]:" + std::string(1000, ' ') + "1\r\n")),
      // Every FILE is tested, or the run says which were not.
      Case("FileAfterTheFinalRecord", {"@clean.txt", "@faults.txt"}, kExitNotTested,
           std::string("clean.txt; these files were not tested (use one call per "
                       "submission):\n  ") +
               kRootStart,
           [](CaseFolder& f) { f.run_complete = true; }),
      Case(
          "MissingLaterFile", {"@clean.txt", "@absent.txt"}, kExitNotTested,
          "absent.txt was not found; nothing was tested.",
          [](CaseFolder& f) { f.check = [](CaseFolder& f) { EXPECT_FALSE(fs::exists(f.db())); }; }),
      Case("OutputWithoutReport", {"--output", "@rep.txt", "@clean.txt"}, kExitNotTested,
           "--output requires --report"),
      Case("OutputDashIsStandardOutput", {"--report", "summary", "--output", "-", "@faults.txt"},
           kExitErrors, "Count  Reference",
           [](CaseFolder& f) {
             f.check = [](CaseFolder& f) { EXPECT_FALSE(fs::exists(f.Path("-"))); };
           }),
      // Standard streams closed or gone.
      Case("StandardErrorClosed",
           {"--progress", "--report", "json", "--output", "@rep.txt", "@faults.txt"}, kExitErrors,
           "",
           [](CaseFolder& f) {
             ClosedStream(2)(f);
             f.check = [](CaseFolder& f) {
               EXPECT_EQ(test::ReadFileText(f.Path(kReport)).substr(0, 8), "{\"tool\":");
             };
           }),
      Case("StandardOutputClosed", {"--report", "text", "@clean.txt"}, kExitNotTested,
           "Cannot write the report to standard output: Bad file descriptor",
           [](CaseFolder& f) {
             ClosedStream(1)(f);
             f.check = [](CaseFolder& f) { EXPECT_FALSE(fs::exists(f.db())); };
           }),
      Case("StandardInputClosed", {"/dev/stdin"}, kExitNotTested, "is not a regular file",
           ClosedStream(0)),
      // --progress 2>&1 | head -c 1: the run goes on without its stderr.
      Case("StandardErrorReaderGone", {"--progress", "-"}, kExitClean, "",
           [](CaseFolder& f) {
             f.streams.output_pipe = f.streams.errors_to_pipe = true;
             f.drive = [](test::ChildProcess& cli, CaseFolder& f) {
               cli.EndOutput();
               EXPECT_TRUE(cli.Feed(test::ReadFileText(f.Path("clean.txt"))));
             };
             f.check = [](CaseFolder& f) {
               EXPECT_EQ(test::QueryValue(f.db(), "SELECT COUNT(*) FROM RECORDS"), "5");
             };
           }),
      Case("StandardOutputReaderGone", {"--report", "csv", "@faults.txt"}, kExitNotTested,
           "Cannot write the report to standard output: Broken pipe",
           [](CaseFolder& f) {
             // Found before the run, or at the first write if the reader goes later.
             f.streams.output_pipe = f.run_complete = true;
             f.drive = [](test::ChildProcess& cli, CaseFolder&) { cli.EndOutput(); };
           }),
      // Signals stop a run like Exit, and a report however blocked.
      Case("HangUpInTheRun", {"--progress", "-"}, kExitCritical, "Test Aborted",
           FeedAround([](test::ChildProcess& cli, CaseFolder& f) {
             AwaitText(f.Path("stderr.txt"), "Processing Record Number");
             cli.Signal(SIGHUP);
           })),
      Case("TerminatedInABlockedReport",
           {"--error-limit", "25000", "--report", "csv", "@large.txt"}, kExitNotTested,
           "Errors found: 601\nThe report was stopped by a signal\n",
           [](CaseFolder& f) {
             f.streams.output_pipe = f.run_complete = true;
             f.drive = [](test::ChildProcess& cli, CaseFolder&) {
               EXPECT_NE(cli.ReadOutput(1), "");  // the report has begun; its pipe is full
               cli.Signal(SIGTERM);
             };
           }),
      Case("KilledInTheReport",
           {"--error-limit", "25000", "--report", "csv", "--output", "@rep.txt", "@large.txt"},
           kExitErrors, "Errors found: 601", SignalWhen(SIGKILL, "Errors found: 601")),
      // Private files whatever the umask; a report replaced keeps its mode.
      Case("NewFilesArePrivate", {"--report", "text", "--output", "@rep.txt", "@clean.txt"},
           kExitClean, "Records tested: 5",
           [](CaseFolder& f) {
#ifndef _WIN32
             ::umask(022);
#endif
             fs::remove_all(f.Path("home"));
             f.check = [](CaseFolder& f) {
               ExpectMode(f.Path("home"), fs::perms::owner_all);
               ExpectMode(f.Path(kSettings), kPrivate);
               ExpectMode(f.Path(kReport), kPrivate);
               ExpectMode(f.db(), kPrivate);
               ExpectMode(f.db().string() + "-lock", kPrivate);
             };
           }),
      Case("ReplacedReportKeepsItsMode", {"--report", "text", "--output", "@rep.txt", "@clean.txt"},
           kExitClean, "Records tested: 5",
           [](CaseFolder& f) {
             Writes(kReport, "old", kPrivate | fs::perms::group_read)(f);
             f.check = [](CaseFolder& f) {
               ExpectMode(f.Path(kReport), kPrivate | fs::perms::group_read);
               EXPECT_NE(test::ReadFileText(f.Path(kReport)), "old");
             };
           }),
      Case("ReadOnlyReportIsRefused", {"--report", "text", "--output", "@rep.txt", "@clean.txt"},
           kExitNotTested, "rep.txt is read-only; it was left unchanged.",
           Writes(kReport, "old", fs::perms::owner_read | fs::perms::group_read), false, kReport),
      // A killed writer's temporary is removed by the next one.
      Case("StaleTemporaryIsRemoved", {"--report", "csv", "--output", "@rep.txt", "@faults.txt"},
           kExitErrors, "Errors found: 3", Writes(".ledgerly-999999999.tmp", "SSNs")),
      Case("PathNotUtf8", {"--report", "text", "@bad\xff.txt"}, kExitErrors, "bad\\xFF.txt",
           Writes("bad\xff.txt", Faults(2))),
      // An invalid date for today is said, and today's date is used.
      Case("TodayNotADay", {"@clean.txt"}, kExitClean,
           "Warning: LEDGERLY_TODAY=2011-02-30 is not a date (YYYY-MM-DD); today's date is used.",
           Env("LEDGERLY_TODAY=2011-02-30")),
      Case("TodayThirtyFirstOfApril", {"@clean.txt"}, kExitClean,
           "LEDGERLY_TODAY=2011-04-31 is not", Env("LEDGERLY_TODAY=2011-04-31")),
      Case("TodayInYearZero", {"@clean.txt"}, kExitClean, "LEDGERLY_TODAY=0000-01-01 is not",
           Env("LEDGERLY_TODAY=0000-01-01")),
      Case("TodayNegative", {"@clean.txt"}, kExitClean, "LEDGERLY_TODAY=-001 is not",
           Env("LEDGERLY_TODAY=-001"))};
}

INSTANTIATE_TEST_SUITE_P(Cli, CliRunTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<CliCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace ledgerly
