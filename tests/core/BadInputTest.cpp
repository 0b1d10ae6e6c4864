// Hostile inputs and environments for ledgerly-cli, run as a real process: each
// must end with its outcome and a clear message, never a crash or a hang, and
// any result database left behind must be sound.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "cli/CliApp.h"
#include "engine/Sqlite.h"
#include "support/ChildProcess.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/Submission.h"
#include "support/TempFolder.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;
using test::Submission;
using Args = std::vector<std::string>;

// The folder of one case: LEDGERLY_HOME is its "home" subfolder.
struct CaseFolder {
  test::TempFolder dir;
  std::unique_ptr<Database> lock_holder;  // another program's connection, kept open
  rlim_t file_size_limit = 0;             // a disk that fills at this size

  fs::path Path(const std::string& name) const { return dir.path() / name; }
  std::string Write(const std::string& name, const std::string& content) const {
    return dir.Write(name, content);
  }
  fs::path db() const { return Path("ERRORLOG.MDB"); }
  std::string Clean() const {
    return Write("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
  }
};

struct BadInputCase {
  std::string name;
  int exit_status;
  std::string message;  // expected on stderr
  // Builds the case and returns the arguments; "--db <folder>/ERRORLOG.MDB" is
  // added unless they name a database.
  std::function<Args(CaseFolder&)> setup;
  bool unprivileged;
  std::string kept;  // a file of the case folder that must come through unchanged
};

BadInputCase Case(std::string name, int exit_status, std::string message,
                  std::function<Args(CaseFolder&)> setup, bool unprivileged = false,
                  std::string kept = "") {
  return {std::move(name),  exit_status,  std::move(message),
          std::move(setup), unprivileged, std::move(kept)};
}

void PrintTo(const BadInputCase& c, std::ostream* os) {
  *os << c.name;
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
std::string Faults(int faulty = 2) {
  std::vector<std::string> ids(faulty + 4, "RW");
  ids.front() = "RA", ids[1] = "RE", ids[faulty + 2] = "RT", ids.back() = "RF";
  std::string content = Submission(ids);
  for (int i = 2; i < faulty + 2; ++i) content.replace(514 * i + 209, 11, "12345ABCDEF");
  return content;
}

// The settings file of the data folder, then a submission with three errors.
std::function<Args(CaseFolder&)> Settings(std::string content) {
  return [content](CaseFolder& f) -> Args {
    f.Write("home/ErrSetLog.ini", content);
    return {f.Write("faults.txt", Faults())};
  };
}

// A file of the case folder as the only argument.
std::function<Args(CaseFolder&)> FileOf(std::string name, std::string content) {
  return [=](CaseFolder& f) -> Args { return {f.Write(name, content)}; };
}

// A folder "ro" holding a database, or `content` as one, that the program may read only.
fs::path ReadOnlyDb(CaseFolder& f, const char* content = nullptr) {
  fs::create_directory(f.Path("ro"));
  if (content) f.Write("ro/ERRORLOG.MDB", content);
  fs::permissions(f.Path("ro"), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
  return f.Path("ro/ERRORLOG.MDB");
}

// A file of NULs only, 3 GiB long but taking no space; `head` is written first.
Args Sparse(CaseFolder& f, const std::string& head) {
  const std::string file = f.Write("sparse.txt", head);
  if (::truncate(file.c_str(), 3LL << 30) != 0) return {"--cannot-truncate"};
  return {file};
}

constexpr const char* kRecords = "SELECT COUNT(*) FROM RECORDS";

class BadInputTest : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputTest, EndsWithItsOutcomeAndMessage) {
  const BadInputCase& c = GetParam();
  CaseFolder folder;
  const fs::path home = folder.Path("home");
  fs::create_directory(home);
  // Open to the unprivileged user the permission cases run as.
  for (const fs::path& open : {folder.dir.path(), home}) fs::permissions(open, fs::perms::all);
  if (c.unprivileged && test::RunningAsRoot()) {
    const std::string why = test::WhyNobodyCannotReach(folder.dir.path());
    if (!why.empty()) GTEST_SKIP() << why;
  }

  Args args = c.setup(folder);
  if (std::find(args.begin(), args.end(), "--db") == args.end()) {
    args.insert(args.begin(), {"--db", folder.db().string()});
  }
  const std::string kept_before = c.kept.empty() ? "" : test::ReadFileText(folder.Path(c.kept));
  const fs::path err_file = folder.Path("stderr.txt");
  test::ChildProcess cli(
      LEDGERLY_CLI_PATH, args, err_file,
      {{"LEDGERLY_HOME=" + home.string()}, c.unprivileged, folder.file_size_limit});
  cli.Wait();
  const std::string err = test::ReadFileText(err_file);
  EXPECT_EQ(cli.term_signal(), 0) << err;
  EXPECT_EQ(cli.exit_status(), c.exit_status) << err;
  EXPECT_NE(err.find(c.message), std::string::npos) << err;
  if (!c.kept.empty()) {
    EXPECT_EQ(test::ReadFileText(folder.Path(c.kept)), kept_before);
  }
  // Nothing half-made is left beside the database or a report.
  for (const auto& entry : fs::directory_iterator(folder.dir.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(!name.ends_with("-new") && !name.starts_with(".")) << name;
  }
  const bool reads_results = std::find(args.begin(), args.end(), "--last") != args.end();
  if (folder.lock_holder) {
    // The other program's work survives a refused run.
    folder.lock_holder->Exec("COMMIT");
    EXPECT_EQ(test::QueryValue(folder.db(), "SELECT Value FROM Other"), "kept");
  } else if (!reads_results && c.kept.empty() && fs::exists(folder.db())) {
    EXPECT_EQ(test::ResultDatabaseFaults(folder.db()), std::vector<std::string>{});
    // A failed run's records end with the Critical entry that names the failure.
    if (c.exit_status == kExitNotTested && test::QueryValue(folder.db(), kRecords) != "0") {
      EXPECT_EQ(test::QueryValue(folder.db(), "SELECT Error FROM ERRORS WHERE Type = 'C'"),
                "Error Number: 778\r\nError Description: disk I/O error");
    }
  }
  // Let the folder be removed whatever the case took away.
  for (const auto& entry : fs::recursive_directory_iterator(folder.dir.path())) {
    if (!entry.is_symlink()) fs::permissions(entry, fs::perms::owner_all, fs::perm_options::add);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadInputTest,
    ::testing::Values(
        Case("MissingPath", kExitNotTested, "absent.txt was not found.",
             [](CaseFolder& f) -> Args { return {f.Path("absent.txt")}; }),
        Case("Directory", kExitNotTested, "folder: Is a directory",
             [](CaseFolder& f) -> Args {
               fs::create_directory(f.Path("folder"));
               return {f.Path("folder")};
             }),
        Case(
            "NoReadPermission", kExitNotTested, "secret.txt: Permission denied",
            [](CaseFolder& f) -> Args {
              const std::string file = f.Write("secret.txt", Submission({"RA", "RE"}));
              fs::permissions(file, fs::perms::none);
              return {file};
            },
            true),
        // Exists and opens, but reading its first bytes fails.
        Case("ReadFails", kExitNotTested, "Unreadable data in File:\n/proc/self/mem",
             [](CaseFolder&) -> Args { return {"/proc/self/mem"}; }),
        Case("EndlessDevice", kExitNotTested, "/dev/zero is not a regular file",
             [](CaseFolder&) -> Args { return {"/dev/zero"}; }),
        Case("ZeroBytes", kExitNotTested, "Warning: The file contains no valid data.",
             FileOf("e.txt", "")),
        Case("OnlyLineBreaks", kExitNotTested, "Warning: The file contains no valid data.",
             FileOf("breaks.txt", std::string(8000, '\n'))),
        Case("NulBytes", kExitCritical, "Record Number 1:\nRecord 1 must be RA record.",
             FileOf("nul.txt", std::string(4096, '\0'))),
        Case("BinaryImage", kExitCritical, "Record Number 1:\nRecord 1 must be RA record.",
             FileOf("p.png", Garbage(256 * 1024, "\x89PNG\r\n\x1a\n"))),
        // Split every 512 characters: the 2nd piece has no valid identifier.
        Case("RecordOf100000Characters", kExitCritical,
             "Record Number 4:\nEnter appropriate code: RW, RO, RS,",
             FileOf("long.txt", Submission({"RA", "RE"}) + "RW" + std::string(99998, '0'))),
        // Three records, then a hole of NULs: an end-of-file marker.
        Case("SparseFileOf3GiB", kExitErrors, "Missing Final Record: RF record was not found.",
             [](CaseFolder& f) {
               return Sparse(f, Submission({"RA", "RE", "RW"}, ""));
             }),
        Case("SparseFileOfNulsOnly", kExitCritical, "Record 1 must be RA record.",
             [](CaseFolder& f) { return Sparse(f, ""); }),
        Case(
            "ReadOnlyDataFolder", kExitNotTested, "unable to open database file: ",
            [](CaseFolder& f) -> Args {
              return {"--db", ReadOnlyDb(f), f.Clean()};
            },
            true),
        Case(
            "ReadOnlyDataFolderWithResults", kExitNotTested, "unable to open database file: ",
            [](CaseFolder& f) -> Args {
              return {"--db", ReadOnlyDb(f, ""), f.Clean()};
            },
            true),
        Case("DatabaseLockedByAnotherProgram", kExitNotTested,
             "ERRORLOG.MDB is in use by another program",
             [](CaseFolder& f) -> Args {
               f.lock_holder = std::make_unique<Database>(f.db(), Database::Mode::ReadWriteCreate);
               f.lock_holder->Exec(
                   "CREATE TABLE Other (Value TEXT); BEGIN EXCLUSIVE; INSERT INTO Other VALUES "
                   "('kept');");
               return {f.Clean()};
             }),
        Case(
            "CorruptDatabaseIsKept", kExitNotTested,
            "(it is not an SQLite database: file is not a database)",
            [](CaseFolder& f) -> Args {
              f.Write("ERRORLOG.MDB", Garbage(8192, "SQLite format 3"));
              return {f.Clean()};
            },
            false, "ERRORLOG.MDB"),
        Case(
            "SubmissionAsDatabase", kExitNotTested, "s.txt is not a Ledgerly result database",
            [](CaseFolder& f) -> Args {
              const std::string file = f.Write("s.txt", Submission({"RA", "RE", "RF"}));
              return {"--db", file, file};
            },
            false, "s.txt"),
        Case(
            "OtherProgramsDatabase", kExitNotTested, "(it is another program's SQLite database)",
            [](CaseFolder& f) -> Args {
              Database(f.db(), Database::Mode::ReadWriteCreate)
                  .Exec("CREATE TABLE RECORDS (Other TEXT)");
              return {f.Clean()};
            },
            false, "ERRORLOG.MDB"),
        Case("FolderAsDatabase", kExitNotTested, "(it is a folder)",
             [](CaseFolder& f) -> Args {
               fs::create_directory(f.Path("results"));
               return {"--db", f.Path("results"), f.Clean()};
             }),
        Case("DiskFullAtTheStart", kExitNotTested, "Error Description: disk I/O error",
             [](CaseFolder& f) -> Args {
               f.file_size_limit = 32 * 1024;
               return {f.Clean()};
             }),
        // The disk fills once the first record is committed.
        Case("DiskFullInTheRun", kExitNotTested, "Record Number 1:\nError Number: 778",
             [](CaseFolder& f) -> Args {
               f.file_size_limit = 128 * 1024;
               return {f.Write("faults.txt", Faults(600))};
             }),
        Case("OutputIsTheDatabase", kExitNotTested, "ERRORLOG.MDB: it is the result database.",
             [](CaseFolder& f) -> Args {
               return {"--report", "text", "--output", f.db(), f.Clean()};
             }),
        Case("OutputIsTheJournal", kExitNotTested, "it is the result database's journal.",
             [](CaseFolder& f) -> Args {
               return {"--report", "json", "--output", f.db().string() + "-journal", f.Clean()};
             }),
        Case(
            "OutputIsTheSubmission", kExitNotTested, "it is a submission file being tested.",
            [](CaseFolder& f) -> Args {
              fs::create_directory(f.Path("sub"));
              return {"--report", "html", "--output", f.Path("sub/../clean.txt"), f.Clean()};
            },
            false, "clean.txt"),
        Case("OutputInAMissingFolder", kExitNotTested, "report.txt: No such file or directory",
             [](CaseFolder& f) -> Args {
               return {"--report", "text", "--output", f.Path("none/report.txt"), f.Clean()};
             }),
        Case("SymlinkLoop", kExitNotTested, "loop: Too many levels of symbolic links",
             [](CaseFolder& f) -> Args {
               fs::create_symlink(f.Path("loop"), f.Path("loop"));
               return {f.Path("loop")};
             }),
        Case("Fifo", kExitNotTested, "pipe is not a regular file",
             [](CaseFolder& f) -> Args {
               ::mkfifo(f.Path("pipe").c_str(), 0666);
               return {f.Path("pipe")};
             }),
        Case("ErrorLimitNotANumber", kExitNotTested, "abc must be a whole number from 1 to 25000",
             [](CaseFolder& f) -> Args {
               return {"--error-limit", "abc", f.Clean()};
             }),
        Case("ProgressEndsItsLine", kExitClean, "(100%)\nResults: Testing Completed.",
             [](CaseFolder& f) -> Args {
               return {"--progress", f.Clean()};
             }),
        // A copy taken in the middle of a write: a journal to play back.
        Case(
            "InterruptedResultsReadOnly", kExitNotTested,
            "need write access to the file and its folder to be recovered",
            [](CaseFolder& f) -> Args {
              Database writer(f.db(), Database::Mode::ReadWriteCreate);
              writer.Exec(
                  "CREATE TABLE t (a); PRAGMA cache_size = 2; BEGIN; "
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                  "WHERE i < 3000) INSERT INTO t SELECT zeroblob(500) FROM n;");
              fs::create_directory(f.Path("ro"));
              fs::copy(f.db(), f.Path("ro/ERRORLOG.MDB"));
              fs::copy(f.db().string() + "-journal", f.Path("ro/ERRORLOG.MDB-journal"));
              return {"--last", "--report", "text", "--db", ReadOnlyDb(f)};
            },
            true),
        Case("CorruptDatabaseForLast", kExitNotTested, "Error Description: file is not a database",
             [](CaseFolder& f) -> Args {
               f.Write("ERRORLOG.MDB", Garbage(8192));
               return {"--last", "--report", "text"};
             }),
        Case("EmptyDatabaseForLast", kExitNotTested, "Error Description: no such table",
             [](CaseFolder& f) -> Args {
               f.Write("ERRORLOG.MDB", "");
               return {"--last", "--report", "json"};
             }),
        // The desktop program's setting of the error limit, however it reads.
        Case("SettingsOfGarbage", kExitErrors, "Errors found: 3", Settings(Garbage(300))),
        Case("SettingsOutOfRange", kExitErrors, "Errors found: 3",
             Settings("[Maximum Error Count]:99999999999999999999999\r\n")),
        Case("SettingsIsAFolder", kExitErrors, "Errors found: 3",
             [](CaseFolder& f) -> Args {
               fs::create_directory(f.Path("home/ErrSetLog.ini"));
               return {f.Write("faults.txt", Faults())};
             }),
        Case("SettingsOfOne", kExitCritical, "Errors found: 2",
             Settings("[Maximum Error Count]: 1\r\n")),
        Case("SettingsOfTheLargestLimit", kExitErrors, "Errors found: 601",
             [](CaseFolder& f) -> Args {
               f.Write("home/ErrSetLog.ini", "[Maximum Error Count]:25000\r\n");
               return {f.Write("faults.txt", Faults(600))};
             })),
    [](const ::testing::TestParamInfo<BadInputCase>& info) { return info.param.name; });

}  // namespace
}  // namespace ledgerly
